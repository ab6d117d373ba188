#pragma once

#include <cstddef>
#include <cstdint>

namespace unlha {

// Writes all size bytes to fd, going on after interrupted or partial writes. False on an
// error, with errno set.
bool WriteAll(int fd, const std::uint8_t* data, std::size_t size);

// The same at offset, leaving the file offset where it was.
bool WriteAllAt(int fd, const std::uint8_t* data, std::size_t size, std::uint64_t offset);

} // namespace unlha
