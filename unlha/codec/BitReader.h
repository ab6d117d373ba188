#pragma once

// Most-significant-bit-first bit input over a source of a known number of bytes, read a chunk
// at a time: past the end it supplies zero bits and remembers that the stream was overrun, and
// a source that fails or ends early counts as ending there.

#include "codec.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace unlha::lzh {

class BitReader {
public:
    BitReader(Source source, std::uint64_t size)
        : source_(std::move(source)), remaining_(size),
          buffer_(std::make_unique_for_overwrite<std::uint8_t[]>(kChunk)) {}
    BitReader(const std::uint8_t* data, std::size_t size)
        : BitReader(MemorySource(data, size), size) {}

    // Tops the buffer up to at least 56 bits.
    void Refill() {
        if (pos_ + 8 > filled_) {
            Load();
        }
        if (pos_ + 8 <= filled_) {
            std::uint64_t v;
            __builtin_memcpy(&v, buffer_.get() + pos_, 8);
            buf_ |= __builtin_bswap64(v) >> count_;
            const int bytes = (63 - count_) >> 3;
            pos_ += bytes;
            count_ += bytes * 8;
            return;
        }
        while (count_ <= 56) {
            const std::uint64_t byte = pos_ < filled_ ? buffer_[pos_] : 0;
            buf_ |= byte << (56 - count_);
            ++pos_;
            count_ += 8;
        }
    }

    // The next n bits (1 <= n <= 32) without consuming them; needs a Refill first.
    std::uint32_t Peek(int n) const { return static_cast<std::uint32_t>(buf_ >> (64 - n)); }
    void Skip(int n) {
        buf_ <<= n;
        count_ -= n;
    }
    std::uint32_t Get(int n) {
        const std::uint32_t v = Peek(n);
        Skip(n);
        return v;
    }
    // Reads n bits (n <= 24), refilling as needed.
    std::uint32_t Read(int n) {
        Refill();
        return Get(n);
    }

    // True once more bits were consumed than the input holds.
    bool Overrun() const { return pos_ * 8 > filled_ * 8 + static_cast<std::size_t>(count_); }
    // True when the source failed or ended before the size it was given.
    bool SourceFailed() const { return failed_; }

private:
    static constexpr std::size_t kChunk = std::size_t{1} << 16;

    // Moves the unread bytes to the front and reads more behind them.
    void Load() {
        if (remaining_ == 0 || failed_ || pos_ > filled_) {
            return;
        }
        __builtin_memmove(buffer_.get(), buffer_.get() + pos_, filled_ - pos_);
        filled_ -= pos_;
        pos_ = 0;
        while (filled_ < kChunk && remaining_ > 0) {
            const auto want =
                static_cast<std::size_t>(std::min<std::uint64_t>(kChunk - filled_, remaining_));
            const std::int64_t n = source_(buffer_.get() + filled_, want);
            if (n <= 0) {
                failed_ = true;
                return;
            }
            filled_ += static_cast<std::size_t>(n);
            remaining_ -= static_cast<std::uint64_t>(n);
        }
    }

    Source source_;
    std::uint64_t remaining_; // bytes the source still owes
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t filled_ = 0;
    std::size_t pos_ = 0;
    std::uint64_t buf_ = 0;
    int count_ = 0;
    bool failed_ = false;
};

} // namespace unlha::lzh
