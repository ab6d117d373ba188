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
    : data_(data), size_(size), hashBits_(dictBits <= 13 ? 15 : 16),
      mask_((std::size_t{1} << dictBits) - 1),
      // One short of the window, so that decoders with a ring of exactly that size are safe.
      maxDistance_((1u << dictBits) - 1), maxChain_(maxChain), niceLength_(niceLength),
      head_(std::size_t{1} << hashBits_, 0), prev_(std::size_t{1} << dictBits, 0) {}

Match MatchFinder::Find(std::size_t pos, int atLeast, int shift) {
    InsertUpTo(pos);
    Match best;
    // The hash reads 4 bytes, so the last few positions are not searched.
    if (pos + 4 > size_) {
        InsertUpTo(pos + 1);
        return best;
    }
    const int limit = static_cast<int>(std::min<std::size_t>(kMaxMatch, size_ - pos));
    const int nice = std::min(niceLength_, limit);
    int bestLength = std::max(atLeast, kMinMatch - 1);
    const std::uint8_t* here = data_ + pos;
    const auto here32 = static_cast<std::uint32_t>(pos + 1);
    std::uint32_t candidate = head_[Hash(pos)];
    for (int chain = maxChain_ >> shift; chain > 0 && candidate != 0; --chain) {
        const std::uint32_t distance = here32 - candidate;
        if (distance == 0 || distance > maxDistance_ || distance > pos) {
            break;
        }
        const std::uint8_t* there = here - distance;
        if (bestLength < limit && there[bestLength] == here[bestLength] && there[0] == here[0]) {
            const int length = CommonLength(there, here, limit);
            if (length > bestLength) {
                bestLength = length;
                best = {length, distance};
                if (length >= nice) {
                    break;
                }
            }
        }
        candidate = prev_[(pos - distance) & mask_];
    }
    InsertUpTo(pos + 1);
    return best;
}

} // namespace unlha::lzh
