#pragma once

// Writes one static Huffman block: its size, the T, C and P tables and the coded tokens.

#include "BitWriter.h"
#include "LzhFormat.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace unlha::lzh {

// A run of tokens: C symbols, and the positions of the matches among them.
struct TokenSpan {
    const std::uint16_t* c;
    std::size_t size;
    const std::uint16_t* position;
    std::size_t positions;

    // The first n tokens and the rest.
    std::pair<TokenSpan, TokenSpan> Split(std::size_t n) const;
};

struct Tokens {
    std::vector<std::uint16_t> c;        // literal byte, or 256 + length - 3
    std::vector<std::uint16_t> position; // distance - 1 of each match, in order

    std::size_t Size() const { return c.size(); }
    TokenSpan Span() const { return {c.data(), c.size(), position.data(), position.size()}; }
    void Clear() {
        c.clear();
        position.clear();
    }
};

// tokens holds 1 to 65535 tokens.
void WriteBlock(BitWriter& out, const Params& params, TokenSpan tokens);

// The bits WriteBlock would write.
std::uint64_t BlockBits(const Params& params, TokenSpan tokens);

} // namespace unlha::lzh
