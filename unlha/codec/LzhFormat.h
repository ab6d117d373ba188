#pragma once

// Constants of the -lh4- to -lh7- stream: static Huffman blocks of literals, match lengths
// and match positions, with most significant bits first.

#include <algorithm>

namespace unlha::lzh {

constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 256;
// The C alphabet: 256 literals, then one symbol per match length 3..256.
constexpr int kNC = 256 + kMaxMatch - kMinMatch + 1;
constexpr int kCBits = 9;
// The T alphabet codes the C code lengths: 0..2 are zero runs, 3..18 the lengths 1..16.
constexpr int kNT = 19;
constexpr int kTBits = 5;
// After the third T length a 2-bit count of zero lengths follows.
constexpr int kTSpecial = 3;
constexpr int kMaxCodeLength = 16;
constexpr int kMaxNP = 17;
constexpr int kBlockSizeBits = 16;

struct Params {
    int dictBits; // window of 2^dictBits bytes
    int np;       // size of the position alphabet
    int pBits;    // bits of the position table's symbol count
};

// -lh4- shares -lh5-'s position alphabet; only its window is smaller.
constexpr Params ParamsFor(int dictBits) {
    return {dictBits, std::max(dictBits, 13) + 1, dictBits <= 13 ? 4 : 5};
}

// Number of significant bits of a position value (distance - 1): its P symbol.
inline int PositionSymbol(unsigned p) {
    return p == 0 ? 0 : 32 - __builtin_clz(p);
}

} // namespace unlha::lzh
