#pragma once

// Bit prices of literals and matches, estimated from the recent tokens' frequencies: what
// the block tables that follow will roughly charge.

#include "LzhFormat.h"

#include <cstdint>

namespace unlha::lzh {

class PriceModel {
public:
    // Prices are in sixteenths of a bit.
    static constexpr int kUnit = 16;

    // Before any token is counted every symbol costs the same.
    explicit PriceModel(const Params& params);

    int Literal(std::uint8_t byte) const { return cPrice_[byte]; }
    int Length(int length) const { return cPrice_[256 + length - kMinMatch]; }
    // The P code of distance plus its extra bits.
    int Distance(std::uint32_t distance) const { return pPrice_[PositionSymbol(distance - 1)]; }

    void CountLiteral(std::uint8_t byte) { Count(byte); }
    void CountMatch(int length, std::uint32_t distance) {
        Count(256 + length - kMinMatch);
        ++pFreq_[PositionSymbol(distance - 1)];
    }

    // Recomputes the prices once enough tokens were counted since the last time; older
    // counts then weigh half, so the prices follow the data.
    void RefreshIfDue() {
        if (counted_ >= kRefreshTokens) {
            Refresh();
        }
    }

private:
    static constexpr std::uint32_t kRefreshTokens = 8192;

    void Count(int c) {
        ++cFreq_[c];
        ++counted_;
    }
    void Refresh();

    int np_;
    std::uint32_t counted_ = 0;
    std::uint32_t cFreq_[kNC] = {};
    std::uint32_t pFreq_[kMaxNP] = {};
    int cPrice_[kNC];
    int pPrice_[kMaxNP];
};

} // namespace unlha::lzh
