#pragma once

// CRC-16 of LZH members and headers (polynomial 0xA001, reflected, initial value 0).

#include <cstddef>
#include <cstdint>

namespace unlha {

std::uint16_t Crc16Update(std::uint16_t crc, const std::uint8_t* data, std::size_t size);

inline std::uint16_t Crc16(const std::uint8_t* data, std::size_t size) {
    return Crc16Update(0, data, size);
}

} // namespace unlha
