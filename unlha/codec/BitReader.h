#pragma once

// Most-significant-bit-first bit input that never reads outside its buffer: past the end it
// supplies zero bits and remembers that the stream was overrun.

#include <cstddef>
#include <cstdint>

namespace unlha::lzh {

class BitReader {
public:
    BitReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // Tops the buffer up to at least 56 bits.
    void Refill() {
        if (pos_ + 8 <= size_) {
            std::uint64_t v;
            __builtin_memcpy(&v, data_ + pos_, 8);
            buf_ |= __builtin_bswap64(v) >> count_;
            const int bytes = (63 - count_) >> 3;
            pos_ += bytes;
            count_ += bytes * 8;
            return;
        }
        while (count_ <= 56) {
            const std::uint64_t byte = pos_ < size_ ? data_[pos_] : 0;
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

    // True once more bits were consumed than the buffer holds.
    bool Overrun() const { return pos_ * 8 - static_cast<std::size_t>(count_) > size_ * 8; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    std::uint64_t buf_ = 0;
    int count_ = 0;
};

} // namespace unlha::lzh
