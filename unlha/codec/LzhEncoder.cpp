#include "LzhEncoder.h"

#include "BitWriter.h"
#include "BlockWriter.h"
#include "MatchFinder.h"
#include "PriceModel.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace unlha::lzh {

namespace {

// Search effort; chosen on the benchmark corpora so that every method encodes at least as
// fast as gzip -6 (bench/codec).
struct Effort {
    int maxChain;
    int niceLength; // a match this long ends the search
    int goodLength; // past this, the lazy search looks at a quarter of the chain
    int maxLazy;    // past this, no lazy search at all
};

// The smaller windows search cheaper, so they can afford a deeper search.
constexpr Effort EffortFor(int dictBits) {
    return dictBits <= 13   ? Effort{192, 256, 32, 64}
           : dictBits <= 15 ? Effort{64, 128, 16, 32}
                            : Effort{96, 128, 16, 32};
}

// Tokens gathered before the block tables are chosen: the most one block may hold.
constexpr std::size_t kGatherTokens = 65535;
// Blocks are split down to this many tokens while that shrinks the output.
constexpr std::size_t kMinBlockTokens = 1024;
// A run is tried cut at each k / kSplitPoints of its length.
constexpr std::size_t kSplitPoints = 4;
// In data that is already compressed most searches find nothing: after n such searches in a
// row, a failed search is followed by min(kMaxStep, 1 + n / kLiteralRun) - 1 literals that
// are not searched. Those positions still enter the chains.
constexpr int kLiteralRun = 32;
constexpr int kMaxStep = 4;
// Gains a later match needs over the current one, one and two bytes on, to win.
constexpr int kLazyBonus1 = 2;
constexpr int kLazyBonus2 = 4;
constexpr std::size_t kDeliverBytes = 1u << 16;
// The input is read into a buffer of two slides and a window. Once the position is a slide and
// a window into it, the oldest slide is dropped; a slide is a multiple of every window, so each
// position keeps its chain slot.
constexpr std::size_t kSlide = 1u << 20;
// Bytes buffered past the position at each step: the lazy search and the match it ends with
// stay well inside (running short would only cost matches, never correctness).
constexpr std::size_t kLookahead = 1024;

// Worth of a match in quarter bytes: its length against its position's extra bits.
int Gain(const Match& m) {
    return 4 * m.length - PositionSymbol(m.distance);
}

class Encoder {
public:
    Encoder(int dictBits, const Source& source, const Sink& sink)
        : params_(ParamsFor(dictBits)), effort_(EffortFor(dictBits)),
          capacity_(2 * kSlide + (std::size_t{1} << dictBits)),
          buffer_(std::make_unique_for_overwrite<std::uint8_t[]>(capacity_)), src_(buffer_.get()),
          source_(source), sink_(sink),
          finder_(src_, 0, dictBits, effort_.maxChain, effort_.niceLength), prices_(params_) {}

    std::int64_t Run() {
        std::size_t pos = 0;
        while (true) {
            if (!ended_ && pos + kLookahead > size_ && !Refill(pos)) {
                return -1;
            }
            if (pos >= size_) {
                break;
            }
            Match m = Usable(finder_.Find(pos, 0, 0), pos);
            if (m.length == 0) {
                const int steps = std::min(kMaxStep, 1 + ++literalRun_ / kLiteralRun);
                for (int k = 0; k < steps && pos < size_; ++k) {
                    if (!Literal(pos++)) {
                        return -1;
                    }
                }
                continue;
            }
            literalRun_ = 0;
            // Lazy evaluation: a better match one or two bytes on wins over this one.
            while (m.length < effort_.maxLazy && pos + 1 < size_) {
                const int shift = m.length >= effort_.goodLength ? 2 : 0;
                const Match next = Usable(finder_.Find(pos + 1, m.length - 1, shift), pos + 1);
                if (next.length != 0 && Gain(next) > Gain(m) + kLazyBonus1) {
                    if (!Literal(pos++)) {
                        return -1;
                    }
                    m = next;
                    continue;
                }
                if (pos + 2 >= size_) {
                    break;
                }
                const Match after = Usable(finder_.Find(pos + 2, m.length - 1, shift), pos + 2);
                if (after.length == 0 || Gain(after) <= Gain(m) + kLazyBonus2) {
                    break;
                }
                if (!Literal(pos++) || !Literal(pos++)) {
                    return -1;
                }
                m = after;
            }
            tokens_.c.push_back(static_cast<std::uint16_t>(256 + m.length - kMinMatch));
            tokens_.position.push_back(static_cast<std::uint16_t>(m.distance - 1));
            prices_.CountMatch(m.length, m.distance);
            pos += static_cast<std::size_t>(m.length);
            finder_.InsertUpTo(pos);
            if (!EndToken()) {
                return -1;
            }
        }
        if (tokens_.Size() > 0) {
            WriteSplit(tokens_.Span());
        }
        out_.Finish();
        return Deliver() ? written_ : -1;
    }

private:
    // Drops the oldest slide when the position is far enough into the buffer (moving pos with
    // it), then reads until the buffer is full or the input ends. False when reading failed.
    bool Refill(std::size_t& pos) {
        const std::size_t window = std::size_t{1} << params_.dictBits;
        if (pos >= kSlide + window) {
            std::memmove(buffer_.get(), buffer_.get() + kSlide, size_ - kSlide);
            size_ -= kSlide;
            pos -= kSlide;
            finder_.Slide(kSlide);
        }
        while (size_ < capacity_) {
            const std::int64_t n = source_(buffer_.get() + size_, capacity_ - size_);
            if (n < 0) {
                return false;
            }
            if (n == 0) {
                ended_ = true;
                break;
            }
            size_ += static_cast<std::size_t>(n);
        }
        finder_.Extend(size_);
        return true;
    }

    // A 3-byte match is used only when it costs less than its bytes as literals: far back,
    // or amid cheap literals, it does not.
    Match Usable(Match m, std::size_t pos) const {
        if (m.length != kMinMatch) {
            return m;
        }
        int literals = 0;
        for (std::size_t k = 0; k < kMinMatch; ++k) {
            literals += prices_.Literal(src_[pos + k]);
        }
        return prices_.Length(m.length) + prices_.Distance(m.distance) < literals ? m : Match{};
    }

    bool Literal(std::size_t pos) {
        tokens_.c.push_back(src_[pos]);
        prices_.CountLiteral(src_[pos]);
        return EndToken();
    }

    bool EndToken() {
        prices_.RefreshIfDue();
        if (tokens_.Size() < kGatherTokens) {
            return true;
        }
        WriteSplit(tokens_.Span());
        tokens_.Clear();
        return out_.Bytes().size() < kDeliverBytes || Deliver();
    }

    // Cuts a run of tokens in two, at the best of a few evenly spaced points, while two
    // blocks with their own tables come out smaller.
    void WriteSplit(TokenSpan span) { WriteSplit(span, BlockBits(params_, span)); }
    void WriteSplit(TokenSpan span, std::uint64_t bits) {
        if (span.size >= 2 * kMinBlockTokens) {
            std::uint64_t best = bits;
            std::pair<TokenSpan, TokenSpan> bestSplit{};
            std::uint64_t bestBits[2] = {};
            for (std::size_t k = 1; k < kSplitPoints; ++k) {
                const std::size_t at = span.size * k / kSplitPoints;
                if (at < kMinBlockTokens || span.size - at < kMinBlockTokens) {
                    continue;
                }
                const auto split = span.Split(at);
                const std::uint64_t first = BlockBits(params_, split.first);
                const std::uint64_t second = BlockBits(params_, split.second);
                if (first + second < best) {
                    best = first + second;
                    bestSplit = split;
                    bestBits[0] = first;
                    bestBits[1] = second;
                }
            }
            if (best < bits) {
                WriteSplit(bestSplit.first, bestBits[0]);
                WriteSplit(bestSplit.second, bestBits[1]);
                return;
            }
        }
        WriteBlock(out_, params_, span);
    }

    bool Deliver() {
        auto& bytes = out_.Bytes();
        written_ += static_cast<std::int64_t>(bytes.size());
        const bool ok = bytes.empty() || sink_(bytes.data(), bytes.size());
        bytes.clear();
        return ok;
    }

    Params params_;
    Effort effort_;
    std::size_t capacity_;
    std::unique_ptr<std::uint8_t[]> buffer_;
    const std::uint8_t* src_;
    std::size_t size_ = 0; // bytes in the buffer
    bool ended_ = false;   // the source has given everything
    const Source& source_;
    const Sink& sink_;
    MatchFinder finder_;
    PriceModel prices_;
    int literalRun_ = 0; // searches without a match since the last match
    Tokens tokens_;
    BitWriter out_;
    std::int64_t written_ = 0;
};

} // namespace

std::int64_t EncodeStatic(int dictBits, const Source& source, const Sink& sink) {
    return Encoder(dictBits, source, sink).Run();
}

std::int64_t EncodeStatic(int dictBits, const std::uint8_t* src, std::size_t size,
                          const Sink& sink) {
    return EncodeStatic(dictBits, MemorySource(src, size), sink);
}

} // namespace unlha::lzh
