#include "BlockWriter.h"

#include "HuffmanCode.h"

#include <algorithm>

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

void WriteSingle(BitWriter& out, int nBits, int symbol) {
    out.Put(nBits, 0);
    out.Put(nBits, static_cast<std::uint32_t>(symbol));
}

void WritePtLengths(BitWriter& out, const std::uint8_t* lengths, int nn, int nBits, int special) {
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

} // namespace

void WriteBlock(BitWriter& out, const Params& params, const Tokens& tokens) {
    std::uint32_t cFreq[kNC] = {};
    std::uint32_t pFreq[kMaxNP] = {};
    for (const std::uint16_t c : tokens.c) {
        ++cFreq[c];
    }
    for (const std::uint16_t p : tokens.position) {
        ++pFreq[PositionSymbol(p)];
    }
    std::uint8_t cLen[kNC];
    std::uint16_t cCode[kNC];
    BuildCodeLengths(cFreq, kNC, kMaxCodeLength, cLen);
    AssignCodes(cLen, kNC, cCode);

    out.Put(kBlockSizeBits, static_cast<std::uint32_t>(tokens.Size()));
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

    std::size_t next = 0;
    for (const std::uint16_t c : tokens.c) {
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

} // namespace unlha::lzh
