#pragma once

// Generated inputs for the codec tests: each is small unless its name says otherwise.

#include <cstdint>
#include <string>
#include <vector>

namespace unlha::test {

using Bytes = std::vector<std::uint8_t>;

struct NamedInput {
    std::string name;
    Bytes data;
};

Bytes RandomBytes(std::size_t size, std::uint32_t seed);
// Words from a small vocabulary with punctuation and line breaks, like prose or source.
Bytes TextLike(std::size_t size, std::uint32_t seed);

// Empty, one byte, tiny, random, all zeros, short period, text-like and a mix that has
// matches at the window's far end.
std::vector<NamedInput> SmallInputs();

// Collects everything a codec call delivers.
struct Collector {
    Bytes bytes;
    bool operator()(const std::uint8_t* data, std::size_t size) {
        bytes.insert(bytes.end(), data, data + size);
        return true;
    }
};

} // namespace unlha::test
