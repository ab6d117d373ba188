#include "LzhDecoder.h"

#include "BitReader.h"
#include "HuffmanCode.h"
#include "LzhFormat.h"
#include "OutputWindow.h"

#include <algorithm>
#include <memory>

namespace unlha::lzh {

namespace {

// Lengths of the T or P table: 3 bits each, 7 continued in unary; in the T table a 2-bit
// zero run follows the third length.
bool ReadPtLengths(BitReader& in, int nn, int nBits, int special, DecodeTable& table) {
    const int n = static_cast<int>(in.Read(nBits));
    if (n == 0) {
        const int symbol = static_cast<int>(in.Read(nBits));
        if (symbol >= nn) {
            return false;
        }
        table.BuildSingle(symbol);
        return true;
    }
    if (n > nn) {
        return false;
    }
    std::uint8_t lengths[kNT] = {};
    int i = 0;
    while (i < n) {
        in.Refill();
        int len = static_cast<int>(in.Get(3));
        if (len == 7) {
            while (in.Get(1) == 1) {
                if (++len > kMaxCodeLength) {
                    return false;
                }
            }
        }
        lengths[i++] = static_cast<std::uint8_t>(len);
        if (i == special) {
            const int zeros = static_cast<int>(in.Get(2));
            // Old encoders may run past n; the lengths there are zero anyway.
            if (i + zeros > nn) {
                return false;
            }
            i += zeros;
        }
    }
    return table.Build(lengths, nn);
}

bool ReadCLengths(BitReader& in, const DecodeTable& tTable, DecodeTable& cTable) {
    const int n = static_cast<int>(in.Read(kCBits));
    if (n == 0) {
        const int symbol = static_cast<int>(in.Read(kCBits));
        if (symbol >= kNC) {
            return false;
        }
        cTable.BuildSingle(symbol);
        return true;
    }
    if (n > kNC) {
        return false;
    }
    std::uint8_t lengths[kNC] = {};
    int i = 0;
    while (i < n) {
        in.Refill();
        const int t = tTable.Decode(in);
        if (t < 0) {
            return false;
        }
        if (t > 2) {
            lengths[i++] = static_cast<std::uint8_t>(t - 2);
            continue;
        }
        const int zeros = t == 0   ? 1
                          : t == 1 ? static_cast<int>(in.Get(4)) + 3
                                   : static_cast<int>(in.Get(kCBits)) + 20;
        if (i + zeros > kNC) {
            return false;
        }
        i += zeros;
    }
    return cTable.Build(lengths, kNC);
}

struct Tables {
    DecodeTable t;
    DecodeTable c;
    DecodeTable p;
};

} // namespace

DecodeResult DecodeStatic(int dictBits, const Source& source, std::uint64_t srcSize,
                          std::uint64_t originalSize, const Sink& sink) {
    const Params params = ParamsFor(dictBits);
    BitReader in(source, srcSize);
    // Damage that is only the source giving out is reported as that.
    const auto corrupt = [&in] {
        return in.SourceFailed() ? DecodeResult::SourceFailed : DecodeResult::Corrupt;
    };
    OutputWindow out(originalSize, sink);
    const auto tables = std::make_unique<Tables>();
    while (out.Remaining() > 0) {
        std::uint32_t blockSize = in.Read(kBlockSizeBits);
        if (!ReadPtLengths(in, kNT, kTBits, kTSpecial, tables->t) ||
            !ReadCLengths(in, tables->t, tables->c) ||
            !ReadPtLengths(in, params.np, params.pBits, -1, tables->p) || in.Overrun()) {
            return corrupt();
        }
        for (; blockSize > 0 && out.Remaining() > 0; --blockSize) {
            if (!out.MakeRoom()) {
                return DecodeResult::SinkStopped;
            }
            in.Refill();
            const int c = tables->c.Decode(in);
            if (c < 256) {
                if (c < 0) {
                    return corrupt();
                }
                out.Literal(static_cast<std::uint8_t>(c));
            } else {
                const int p = tables->p.Decode(in);
                if (p < 0) {
                    return corrupt();
                }
                const std::uint64_t distance =
                    (p <= 1 ? p : (1u << (p - 1)) + in.Get(p - 1)) + std::uint64_t{1};
                const std::uint64_t length = static_cast<std::uint64_t>(c) - 256 + kMinMatch;
                if (distance > out.Produced() || length > out.Remaining()) {
                    return corrupt();
                }
                out.Copy(distance, length);
            }
            if (in.Overrun()) {
                return corrupt();
            }
        }
    }
    return out.Flush() ? DecodeResult::Ok : DecodeResult::SinkStopped;
}

} // namespace unlha::lzh
