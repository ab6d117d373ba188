#pragma once

// Most-significant-bit-first bit output into a byte vector.

#include <cstdint>
#include <vector>

namespace unlha::lzh {

class BitWriter {
public:
    // Appends the low n bits of value (n <= 32), highest first.
    void Put(int n, std::uint32_t value) {
        acc_ = (acc_ << n) | value;
        count_ += n;
        if (count_ >= 32) {
            count_ -= 32;
            const auto word = static_cast<std::uint32_t>(acc_ >> count_);
            bytes_.push_back(static_cast<std::uint8_t>(word >> 24));
            bytes_.push_back(static_cast<std::uint8_t>(word >> 16));
            bytes_.push_back(static_cast<std::uint8_t>(word >> 8));
            bytes_.push_back(static_cast<std::uint8_t>(word));
        }
    }

    // Pads the last byte with zero bits.
    void Finish() {
        while (count_ >= 8) {
            count_ -= 8;
            bytes_.push_back(static_cast<std::uint8_t>(acc_ >> count_));
        }
        if (count_ > 0) {
            bytes_.push_back(static_cast<std::uint8_t>(acc_ << (8 - count_)));
            count_ = 0;
        }
    }

    // Whole bytes written so far; the caller may hand them on and clear them.
    std::vector<std::uint8_t>& Bytes() { return bytes_; }

private:
    std::uint64_t acc_ = 0;
    int count_ = 0;
    std::vector<std::uint8_t> bytes_;
};

} // namespace unlha::lzh
