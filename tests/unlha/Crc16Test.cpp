// The member CRC: the check value of CRC-16/ARC, and the eight-bytes-at-a-time path agrees
// with feeding the same bytes one at a time, at every length and alignment.

#include "crc16.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace unlha {
namespace {

TEST(Crc16, GivesTheCheckValueOfCrc16Arc) {
    const char* text = "123456789";
    EXPECT_EQ(Crc16(reinterpret_cast<const std::uint8_t*>(text), std::strlen(text)), 0xBB3D);
    EXPECT_EQ(Crc16(nullptr, 0), 0);
}

TEST(Crc16, WholeBlocksAgreeWithOneByteAtATime) {
    std::mt19937 rng(5);
    std::vector<std::uint8_t> data(80);
    for (auto& b : data) {
        b = static_cast<std::uint8_t>(rng());
    }
    for (std::size_t start = 0; start < 8; ++start) {
        for (std::size_t size = 0; start + size <= data.size(); ++size) {
            std::uint16_t bytewise = 0x1234;
            for (std::size_t i = 0; i < size; ++i) {
                bytewise = Crc16Update(bytewise, data.data() + start + i, 1);
            }
            ASSERT_EQ(Crc16Update(0x1234, data.data() + start, size), bytewise)
                << start << " " << size;
        }
    }
}

} // namespace
} // namespace unlha
