#include "BlockWriter.h"

#include "HuffmanCode.h"

#include <algorithm>
#include <type_traits>

namespace unlha::lzh {

namespace {

int UsedLength(const std::uint8_t* lengths, int n) {
    while (n > 0 && lengths[n - 1] == 0) {
        --n;
    }
    return n;
}

// The only used symbol of a table whose lengths are all 0 (0 when nothing is used).
int OnlySymbol(const std::uint32_t* freq, int n) {
    for (int i = 0; i < n; ++i) {
        if (freq[i] != 0) {
            return i;
        }
    }
    return 0;
}

// Counts the bits instead of writing them.
struct BitCounter {
    std::uint64_t bits = 0;
    void Put(int n, std::uint32_t) { bits += static_cast<std::uint64_t>(n); }
};

template <typename Writer> void WriteSingle(Writer& out, int nBits, int symbol) {
    out.Put(nBits, 0);
    out.Put(nBits, static_cast<std::uint32_t>(symbol));
}

template <typename Writer>
void WritePtLengths(Writer& out, const std::uint8_t* lengths, int nn, int nBits, int special) {
    const int n = UsedLength(lengths, nn);
    out.Put(nBits, static_cast<std::uint32_t>(n));
    int i = 0;
    while (i < n) {
        const int len = lengths[i++];
        if (len <= 6) {
            out.Put(3, static_cast<std::uint32_t>(len));
        } else {
            // "111", then one more 1 for each step above 7, then 0.
            out.Put(len - 3, ((1u << (len - 3)) - 1) & ~1u);
        }
        if (i == special) {
            int zeros = 0;
            while (i + zeros < std::min(n, 6) && lengths[i + zeros] == 0) {
                ++zeros;
            }
            out.Put(2, static_cast<std::uint32_t>(zeros));
            i += zeros;
        }
    }
}

// Zero runs of the C lengths: T symbol 0 is one zero, 1 is 3..18 zeros, 2 is 20..531.
template <typename Emit> void ForEachCLengthCode(const std::uint8_t* cLen, Emit emit) {
    const int n = UsedLength(cLen, kNC);
    int i = 0;
    while (i < n) {
        const int len = cLen[i++];
        if (len != 0) {
            emit(len + 2, 0, 0);
            continue;
        }
        int run = 1;
        while (i < n && cLen[i] == 0) {
            ++i;
            ++run;
        }
        if (run <= 2) {
            for (int k = 0; k < run; ++k) {
                emit(0, 0, 0);
            }
        } else if (run <= 18) {
            emit(1, 4, run - 3);
        } else if (run == 19) {
            emit(0, 0, 0);
            emit(1, 4, 15);
        } else {
            emit(2, kCBits, run - 20);
        }
    }
}

template <typename Writer> void Write(Writer& out, const Params& params, TokenSpan tokens) {
    std::uint32_t cFreq[kNC] = {};
    std::uint32_t pFreq[kMaxNP] = {};
    for (std::size_t i = 0; i < tokens.size; ++i) {
        ++cFreq[tokens.c[i]];
    }
    for (std::size_t i = 0; i < tokens.positions; ++i) {
        ++pFreq[PositionSymbol(tokens.position[i])];
    }
    std::uint8_t cLen[kNC];
    std::uint16_t cCode[kNC];
    BuildCodeLengths(cFreq, kNC, kMaxCodeLength, cLen);
    AssignCodes(cLen, kNC, cCode);

    out.Put(kBlockSizeBits, static_cast<std::uint32_t>(tokens.size));
    if (UsedLength(cLen, kNC) == 0) {
        WriteSingle(out, kTBits, 0);
        WriteSingle(out, kCBits, OnlySymbol(cFreq, kNC));
    } else {
        std::uint32_t tFreq[kNT] = {};
        ForEachCLengthCode(cLen, [&](int t, int, int) { ++tFreq[t]; });
        std::uint8_t tLen[kNT];
        std::uint16_t tCode[kNT];
        BuildCodeLengths(tFreq, kNT, kMaxCodeLength, tLen);
        AssignCodes(tLen, kNT, tCode);
        if (UsedLength(tLen, kNT) == 0) {
            WriteSingle(out, kTBits, OnlySymbol(tFreq, kNT));
        } else {
            WritePtLengths(out, tLen, kNT, kTBits, kTSpecial);
        }
        out.Put(kCBits, static_cast<std::uint32_t>(UsedLength(cLen, kNC)));
        ForEachCLengthCode(cLen, [&](int t, int extraBits, int extra) {
            out.Put(tLen[t], tCode[t]);
            out.Put(extraBits, static_cast<std::uint32_t>(extra));
        });
    }

    std::uint8_t pLen[kMaxNP];
    std::uint16_t pCode[kMaxNP];
    BuildCodeLengths(pFreq, params.np, kMaxCodeLength, pLen);
    AssignCodes(pLen, params.np, pCode);
    if (UsedLength(pLen, params.np) == 0) {
        WriteSingle(out, params.pBits, OnlySymbol(pFreq, params.np));
    } else {
        WritePtLengths(out, pLen, params.np, params.pBits, -1);
    }

    if constexpr (std::is_same_v<Writer, BitCounter>) {
        // Only the sums matter when counting.
        for (int i = 0; i < kNC; ++i) {
            out.bits += std::uint64_t{cFreq[i]} * cLen[i];
        }
        for (int i = 0; i < params.np; ++i) {
            out.bits += std::uint64_t{pFreq[i]} * (pLen[i] + (i > 1 ? i - 1 : 0));
        }
        return;
    }
    std::size_t next = 0;
    for (std::size_t i = 0; i < tokens.size; ++i) {
        const std::uint16_t c = tokens.c[i];
        out.Put(cLen[c], cCode[c]);
        if (c >= 256) {
            const unsigned p = tokens.position[next++];
            const int symbol = PositionSymbol(p);
            out.Put(pLen[symbol], pCode[symbol]);
            if (symbol > 1) {
                out.Put(symbol - 1, p & ((1u << (symbol - 1)) - 1));
            }
        }
    }
}

} // namespace

std::pair<TokenSpan, TokenSpan> TokenSpan::Split(std::size_t n) const {
    std::size_t matches = 0;
    for (std::size_t i = 0; i < n; ++i) {
        matches += c[i] >= 256;
    }
    return {{c, n, position, matches}, {c + n, size - n, position + matches, positions - matches}};
}

void WriteBlock(BitWriter& out, const Params& params, TokenSpan tokens) {
    Write(out, params, tokens);
}

std::uint64_t BlockBits(const Params& params, TokenSpan tokens) {
    BitCounter counter;
    Write(counter, params, tokens);
    return counter.bits;
}

} // namespace unlha::lzh
