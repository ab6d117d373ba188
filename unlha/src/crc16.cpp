#include "crc16.h"

#include <array>

namespace unlha {
namespace {

constexpr std::array<std::uint16_t, 256> MakeTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        std::uint16_t value = static_cast<std::uint16_t>(i);
        for (int bit = 0; bit < 8; ++bit) {
            value = (value & 1) ? static_cast<std::uint16_t>((value >> 1) ^ 0xA001)
                                : static_cast<std::uint16_t>(value >> 1);
        }
        table[i] = value;
    }
    return table;
}

constexpr auto kTable = MakeTable();

} // namespace

std::uint16_t Crc16Update(std::uint16_t crc, const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        crc = static_cast<std::uint16_t>((crc >> 8) ^ kTable[(crc ^ data[i]) & 0xFF]);
    }
    return crc;
}

} // namespace unlha
