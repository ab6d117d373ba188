#pragma once

// Writes one static Huffman block: its size, the T, C and P tables and the coded tokens.

#include "BitWriter.h"
#include "LzhFormat.h"

#include <cstdint>
#include <vector>

namespace unlha::lzh {

struct Tokens {
    std::vector<std::uint16_t> c;        // literal byte, or 256 + length - 3
    std::vector<std::uint16_t> position; // distance - 1 of each match, in order

    std::size_t Size() const { return c.size(); }
    void Clear() {
        c.clear();
        position.clear();
    }
};

// tokens holds 1 to 65535 tokens.
void WriteBlock(BitWriter& out, const Params& params, const Tokens& tokens);

} // namespace unlha::lzh
