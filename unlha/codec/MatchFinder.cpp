#include "MatchFinder.h"

#include <algorithm>

namespace unlha::lzh {

namespace {

int CommonLength(const std::uint8_t* a, const std::uint8_t* b, int limit) {
    int n = 0;
    while (n + 8 <= limit) {
        std::uint64_t x;
        std::uint64_t y;
        std::memcpy(&x, a + n, 8);
        std::memcpy(&y, b + n, 8);
        if (x != y) {
            return n + (__builtin_ctzll(x ^ y) >> 3);
        }
        n += 8;
    }
    while (n < limit && a[n] == b[n]) {
        ++n;
    }
    return n;
}

} // namespace

MatchFinder::MatchFinder(const std::uint8_t* data, std::size_t size, int dictBits, int maxChain,
                         int niceLength)
    : data_(data), size_(size), hashBits_(dictBits <= 13 ? 16 : 17),
      mask_((std::size_t{1} << dictBits) - 1),
      // One short of the window, so that decoders with a ring of exactly that size are safe.
      maxDistance_((1u << dictBits) - 1), maxChain_(maxChain), niceLength_(niceLength),
      head_(std::size_t{1} << hashBits_, 0), prev_(std::size_t{1} << dictBits, 0),
      head3_(std::size_t{1} << kHash3Bits, 0), head4_(std::size_t{1} << kHash4Bits, 0) {}

template <typename OnLonger>
void MatchFinder::Walk(std::size_t pos, int limit, int atLeast, int chain, OnLonger onLonger) {
    InsertUpTo(pos);
    // The next search is usually one byte on: start loading its table entries.
    if (pos + 9 <= size_) {
        const std::uint32_t n4 = Load(pos + 1);
        __builtin_prefetch(&head3_[Hash3(n4)]);
        __builtin_prefetch(&head4_[Hash4(n4)]);
        __builtin_prefetch(&head_[Hash6(Load64(pos + 1))]);
    }
    // The hashes read 4 and 8 bytes, so the last few positions are searched less or not at all.
    if (pos + 4 <= size_) {
        const int nice = std::min(niceLength_, limit);
        int bestLength = std::max(atLeast, kMinMatch - 1);
        const std::uint8_t* here = data_ + pos;
        const auto here32 = static_cast<std::uint32_t>(pos + 1);
        const std::uint32_t v = Load(pos);
        // The newest position with the same first bytes (those of mask), when its match is
        // longer than what is known.
        auto tryNewest = [&](std::uint32_t distance, std::uint32_t mask, int shorterThan) {
            if (bestLength < shorterThan && chain > 0 && distance != 0 &&
                distance <= maxDistance_ && distance <= pos &&
                ((Load(pos - distance) ^ v) & mask) == 0) {
                const int length = CommonLength(here - distance, here, limit);
                if (length > bestLength) {
                    bestLength = length;
                    onLonger(length, distance);
                    if (length >= nice) {
                        chain = 0;
                    }
                }
            }
        };
        tryNewest(here32 - head3_[Hash3(v)], 0xffffff, kMinMatch);
        tryNewest(here32 - head4_[Hash4(v)], 0xffffffff, kMinMatch + 1);
        std::uint32_t candidate = pos + 8 <= size_ ? head_[Hash6(Load64(pos))] : 0;
        for (; chain > 0 && candidate != 0 && bestLength < limit; --chain) {
            const std::uint32_t distance = here32 - candidate;
            if (distance == 0 || distance > maxDistance_ || distance > pos) {
                break;
            }
            const std::uint8_t* there = here - distance;
            if (there[bestLength] == here[bestLength] && there[0] == here[0]) {
                const int length = CommonLength(there, here, limit);
                if (length > bestLength) {
                    bestLength = length;
                    onLonger(length, distance);
                    if (length >= nice) {
                        break;
                    }
                }
            }
            candidate = prev_[(pos - distance) & mask_];
        }
    }
    InsertUpTo(pos + 1);
}

void MatchFinder::Slide(std::size_t by) {
    const auto shift = [by](std::vector<std::uint32_t>& table) {
        for (std::uint32_t& p : table) {
            p = p > by ? p - static_cast<std::uint32_t>(by) : 0;
        }
    };
    shift(head_);
    shift(prev_);
    shift(head3_);
    shift(head4_);
    next_ -= by;
}

Match MatchFinder::Find(std::size_t pos, int atLeast, int shift) {
    Match best;
    const int limit = static_cast<int>(std::min<std::size_t>(kMaxMatch, size_ - pos));
    Walk(pos, limit, atLeast, maxChain_ >> shift, [&](int length, std::uint32_t distance) {
        best = {length, distance};
    });
    return best;
}

} // namespace unlha::lzh
