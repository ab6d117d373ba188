#pragma once

// The canonical Huffman codes of the LZH tables, shared by the encoder and the decoder:
// codes are assigned shortest first and, within a length, in symbol order.

#include "BitReader.h"
#include "LzhFormat.h"

#include <cstdint>

namespace unlha::lzh {

// Lengths (at most maxLength) of an optimal length-limited prefix code for freq; unused
// symbols get 0. With fewer than two used symbols every length is 0: the table is then
// written in its one-symbol form.
void BuildCodeLengths(const std::uint32_t* freq, int n, int maxLength, std::uint8_t* lengths);

// The canonical code of each symbol from its length.
void AssignCodes(const std::uint8_t* lengths, int n, std::uint16_t* codes);

// Table-driven decoding: codes up to kFastBits long resolve in one lookup, longer ones by
// comparing against the canonical limits of each length.
class DecodeTable {
public:
    // False when the lengths oversubscribe the code space or exceed 16. Unused parts of an
    // incomplete code decode as -1.
    bool Build(const std::uint8_t* lengths, int n);
    // Every code word is symbol, zero bits long.
    void BuildSingle(int symbol);

    // Decodes one symbol; the reader must hold at least 16 bits. -1 for an unused code.
    int Decode(BitReader& in) const {
        const std::uint32_t e = fast_[in.Peek(kFastBits)];
        if (e & kValid) {
            in.Skip(static_cast<int>((e >> 16) & 0x1f));
            return static_cast<int>(e & 0xffff);
        }
        return DecodeLong(in);
    }

private:
    static constexpr int kFastBits = 11;
    static constexpr std::uint32_t kValid = 0x80000000u;

    int DecodeLong(BitReader& in) const;

    std::uint32_t fast_[1 << kFastBits];
    std::uint32_t limit_[kMaxCodeLength + 1];  // left-aligned end of each length's codes
    std::uint32_t first_[kMaxCodeLength + 1];  // first code of each length
    std::uint16_t offset_[kMaxCodeLength + 1]; // index in sorted_ of that first code
    std::uint16_t sorted_[kNC];                // symbols by code
};

} // namespace unlha::lzh
