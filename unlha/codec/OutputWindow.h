#pragma once

// Decoded bytes with the history that matches copy from, handed to the sink in large chunks.

#include "codec.h"

#include <cstring>
#include <vector>

namespace unlha::lzh {

class OutputWindow {
public:
    // Matches reach back at most 64 KiB.
    static constexpr std::size_t kHistory = 1u << 16;

    OutputWindow(std::uint64_t limit, const Sink& sink)
        : buf_(kHistory + kChunk + kSlack), limit_(limit), sink_(sink) {}

    std::uint64_t Produced() const { return produced_ + (pos_ - start_); }
    std::uint64_t Remaining() const { return limit_ - Produced(); }

    // Room for one literal or one match must be ensured before writing it.
    bool MakeRoom() {
        if (pos_ < kHistory + kChunk) {
            return true;
        }
        if (!Flush()) {
            return false;
        }
        std::memmove(buf_.data(), buf_.data() + pos_ - kHistory, kHistory);
        pos_ = start_ = kHistory;
        return true;
    }

    void Literal(std::uint8_t c) { buf_[pos_++] = c; }

    // The caller checks distance <= Produced() and length <= Remaining().
    void Copy(std::size_t distance, std::size_t length) {
        std::uint8_t* out = buf_.data() + pos_;
        const std::uint8_t* from = out - distance;
        pos_ += length;
        if (distance >= 8) {
            // Overlap is harmless at 8-byte steps; the slack absorbs the overshoot.
            for (std::size_t i = 0; i < length; i += 8) {
                std::memcpy(out + i, from + i, 8);
            }
        } else {
            for (std::size_t i = 0; i < length; ++i) {
                out[i] = from[i];
            }
        }
    }

    // Hands the bytes not yet delivered to the sink.
    bool Flush() {
        const std::size_t n = pos_ - start_;
        produced_ += n;
        start_ = pos_;
        return n == 0 || sink_(buf_.data() + pos_ - n, n);
    }

private:
    static constexpr std::size_t kChunk = 1u << 18;
    static constexpr std::size_t kSlack = 512;

    std::vector<std::uint8_t> buf_;
    std::size_t pos_ = kHistory;
    std::size_t start_ = kHistory;
    std::uint64_t produced_ = 0;
    std::uint64_t limit_;
    const Sink& sink_;
};

} // namespace unlha::lzh
