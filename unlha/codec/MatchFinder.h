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
    std::uint32_t Hash4(std::uint32_t v) const { return (v * 0x9E3779B1u) >> (32 - hashBits_); }
    static std::uint32_t Hash3(std::uint32_t v) {
        return ((v & 0xffffff) * 0x9E3779B1u) >> (32 - kHash3Bits);
    }
    void Insert(std::size_t pos) {
        if (pos + 4 > size_) {
            return;
        }
        const std::uint32_t v = Load(pos);
        const std::uint32_t h = Hash4(v);
        prev_[pos & mask_] = head_[h];
        head_[h] = static_cast<std::uint32_t>(pos + 1);
        head3_[Hash3(v)] = static_cast<std::uint32_t>(pos + 1);
    }

    // Chains link positions with the same 4 bytes; 3-byte matches, worth having only when
    // near, come from the newest position with the same 3 bytes.
    static constexpr int kHash3Bits = 14;

    const std::uint8_t* data_;
    std::size_t size_;
    int hashBits_;
    std::size_t mask_;
    std::uint32_t maxDistance_;
    int maxChain_;
    int niceLength_;
    std::size_t next_ = 0;
    // Positions plus one, 0 for none; only their low 32 bits, since a candidate is always
    // checked against the real bytes at its distance.
    std::vector<std::uint32_t> head_;
    std::vector<std::uint32_t> prev_;
    std::vector<std::uint32_t> head3_;
};

} // namespace unlha::lzh
