#include "LzhEncoder.h"

#include "BitWriter.h"
#include "BlockWriter.h"
#include "MatchFinder.h"

namespace unlha::lzh {

namespace {

// Search effort by window: the larger windows are there for ratio.
struct Effort {
    int maxChain;
    int niceLength; // a match this long ends the search
    int goodLength; // past this, the lazy search looks at a quarter of the chain
    int maxLazy;    // past this, no lazy search at all
    std::size_t blockTokens;
};

Effort EffortFor(int dictBits) {
    if (dictBits <= 13) {
        return {96, 128, 16, 32, 32768};
    }
    if (dictBits <= 15) {
        return {128, 160, 24, 48, 32768};
    }
    return {192, 192, 32, 64, 32768};
}

// A 3-byte match this far back costs more than its literals.
constexpr std::uint32_t kFarShortMatch = 8192;

class Encoder {
public:
    Encoder(int dictBits, const std::uint8_t* src, std::size_t size, const Sink& sink)
        : params_(ParamsFor(dictBits)), effort_(EffortFor(dictBits)), src_(src), size_(size),
          sink_(sink), finder_(src, size, dictBits, effort_.maxChain, effort_.niceLength) {}

    std::int64_t Run() {
        std::size_t pos = 0;
        while (pos < size_) {
            Match m = Usable(finder_.Find(pos, 0, 0));
            if (m.length == 0) {
                if (!Literal(pos++)) {
                    return -1;
                }
                continue;
            }
            // Lazy evaluation: a longer match one byte on wins over this one.
            while (m.length < effort_.maxLazy && pos + 1 < size_) {
                const Match next =
                    Usable(finder_.Find(pos + 1, m.length, m.length >= effort_.goodLength ? 2 : 0));
                if (next.length <= m.length) {
                    break;
                }
                if (!Literal(pos++)) {
                    return -1;
                }
                m = next;
            }
            tokens_.c.push_back(static_cast<std::uint16_t>(256 + m.length - kMinMatch));
            tokens_.position.push_back(static_cast<std::uint16_t>(m.distance - 1));
            pos += static_cast<std::size_t>(m.length);
            finder_.InsertUpTo(pos);
            if (!EndToken()) {
                return -1;
            }
        }
        if (tokens_.Size() > 0) {
            WriteBlock(out_, params_, tokens_);
        }
        out_.Finish();
        return Deliver() ? written_ : -1;
    }

private:
    static Match Usable(Match m) {
        if (m.length == kMinMatch && m.distance > kFarShortMatch) {
            return {};
        }
        return m;
    }

    bool Literal(std::size_t pos) {
        tokens_.c.push_back(src_[pos]);
        return EndToken();
    }

    bool EndToken() {
        if (tokens_.Size() < effort_.blockTokens) {
            return true;
        }
        WriteBlock(out_, params_, tokens_);
        tokens_.Clear();
        return out_.Bytes().size() < kDeliverBytes || Deliver();
    }

    bool Deliver() {
        auto& bytes = out_.Bytes();
        written_ += static_cast<std::int64_t>(bytes.size());
        const bool ok = bytes.empty() || sink_(bytes.data(), bytes.size());
        bytes.clear();
        return ok;
    }

    static constexpr std::size_t kDeliverBytes = 1u << 16;

    Params params_;
    Effort effort_;
    const std::uint8_t* src_;
    std::size_t size_;
    const Sink& sink_;
    MatchFinder finder_;
    Tokens tokens_;
    BitWriter out_;
    std::int64_t written_ = 0;
};

} // namespace

std::int64_t EncodeStatic(int dictBits, const std::uint8_t* src, std::size_t size,
                          const Sink& sink) {
    return Encoder(dictBits, src, size, sink).Run();
}

} // namespace unlha::lzh
