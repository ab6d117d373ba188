#include "crc16.h"

#include <array>
#include <bit>
#include <cstring>

namespace unlha {
namespace {

// Tables for eight bytes at a time: kTables[0] is the byte-wise table, and kTables[k][b] is
// the CRC of byte b followed by k zero bytes.
using Tables = std::array<std::array<std::uint16_t, 256>, 8>;

constexpr Tables MakeTables() {
    Tables tables{};
    for (unsigned i = 0; i < 256; ++i) {
        std::uint16_t value = static_cast<std::uint16_t>(i);
        for (int bit = 0; bit < 8; ++bit) {
            value = (value & 1) ? static_cast<std::uint16_t>((value >> 1) ^ 0xA001)
                                : static_cast<std::uint16_t>(value >> 1);
        }
        tables[0][i] = value;
    }
    for (std::size_t k = 1; k < tables.size(); ++k) {
        for (unsigned i = 0; i < 256; ++i) {
            const std::uint16_t prev = tables[k - 1][i];
            tables[k][i] = static_cast<std::uint16_t>((prev >> 8) ^ tables[0][prev & 0xFF]);
        }
    }
    return tables;
}

constexpr Tables kTables = MakeTables();

} // namespace

std::uint16_t Crc16Update(std::uint16_t crc, const std::uint8_t* data, std::size_t size) {
    std::size_t i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 8 <= size; i += 8) {
            std::uint64_t x;
            std::memcpy(&x, data + i, 8);
            x ^= crc;
            crc = static_cast<std::uint16_t>(
                kTables[7][x & 0xFF] ^ kTables[6][(x >> 8) & 0xFF] ^ kTables[5][(x >> 16) & 0xFF] ^
                kTables[4][(x >> 24) & 0xFF] ^ kTables[3][(x >> 32) & 0xFF] ^
                kTables[2][(x >> 40) & 0xFF] ^ kTables[1][(x >> 48) & 0xFF] ^ kTables[0][x >> 56]);
        }
    }
    for (; i < size; ++i) {
        crc = static_cast<std::uint16_t>((crc >> 8) ^ kTables[0][(crc ^ data[i]) & 0xFF]);
    }
    return crc;
}

} // namespace unlha
