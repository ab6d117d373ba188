#pragma once

// Hash chains over the input for the longest earlier match within the window.

#include "LzhFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace unlha::lzh {

struct Match {
    int length = 0; // 0 when nothing of at least kMinMatch bytes was found
    std::uint32_t distance = 0;
};

class MatchFinder {
public:
    MatchFinder(const std::uint8_t* data, std::size_t size, int dictBits, int maxChain,
                int niceLength);

    // Longest match at pos that is longer than atLeast, giving up on the chain early by the
    // factor shift (0 = full chain). Also enters every position up to pos into the chains.
    Match Find(std::size_t pos, int atLeast, int shift);

    // The data now holds size bytes.
    void Extend(std::size_t size) { size_ = size; }
    // The data moved down by `by` bytes, a multiple of the window: positions before it are
    // forgotten and the others follow.
    void Slide(std::size_t by);

    // Enters positions up to, not including, end.
    void InsertUpTo(std::size_t end) {
        for (; next_ < end; ++next_) {
            Insert(next_);
        }
    }

private:
    template <typename OnLonger>
    void Walk(std::size_t pos, int limit, int atLeast, int chain, OnLonger onLonger);

    std::uint32_t Load(std::size_t pos) const {
        std::uint32_t v;
        std::memcpy(&v, data_ + pos, 4);
        return v;
    }
    std::uint64_t Load64(std::size_t pos) const {
        std::uint64_t v;
        std::memcpy(&v, data_ + pos, 8);
        return v;
    }
    std::uint32_t Hash6(std::uint64_t v) const {
        return static_cast<std::uint32_t>(((v << 16) * 0xCF1BBCDCB7A56463ull) >> (64 - hashBits_));
    }
    static std::uint32_t Hash4(std::uint32_t v) { return (v * 0x9E3779B1u) >> (32 - kHash4Bits); }
    static std::uint32_t Hash3(std::uint32_t v) {
        return ((v & 0xffffff) * 0x9E3779B1u) >> (32 - kHash3Bits);
    }
    void Insert(std::size_t pos) {
        if (pos + 4 > size_) {
            return;
        }
        const std::uint32_t v = Load(pos);
        head3_[Hash3(v)] = static_cast<std::uint32_t>(pos + 1);
        head4_[Hash4(v)] = static_cast<std::uint32_t>(pos + 1);
        if (pos + 8 > size_) {
            return;
        }
        const std::uint32_t h = Hash6(Load64(pos));
        prev_[pos & mask_] = head_[h];
        head_[h] = static_cast<std::uint32_t>(pos + 1);
    }

    // Chains link positions with the same 6 bytes, so that long matches are reached in few
    // steps; shorter ones come from the newest position with the same 3 and the same 4 bytes
    // (the nearest such match is also the cheapest to code).
    static constexpr int kHash3Bits = 14;
    static constexpr int kHash4Bits = 16;

    const std::uint8_t* data_;
    std::size_t size_;
    int hashBits_;
    std::size_t mask_;
    std::uint32_t maxDistance_;
    int maxChain_;
    int niceLength_;
    std::size_t next_ = 0;
    // Positions plus one, 0 for none. The encoder slides its data down before they outgrow
    // 32 bits; even so a candidate is always checked against the real bytes at its distance.
    std::vector<std::uint32_t> head_;
    std::vector<std::uint32_t> prev_;
    std::vector<std::uint32_t> head3_;
    std::vector<std::uint32_t> head4_;
};

} // namespace unlha::lzh
