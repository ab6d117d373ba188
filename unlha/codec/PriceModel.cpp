#include "PriceModel.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace unlha::lzh {

namespace {

constexpr int kFractionBits = 8;

// log2(1 + i / 256) in price units.
const std::array<int, 1 << kFractionBits> kLog2Fraction = [] {
    std::array<int, 1 << kFractionBits> table{};
    for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        table[i] = static_cast<int>(std::lround(std::log2(1.0 + i / 256.0) * PriceModel::kUnit));
    }
    return table;
}();

// log2(x) in price units, for x >= 1, to within a fraction of a unit.
int Log2(std::uint32_t x) {
    const int e = 31 - __builtin_clz(x);
    const std::uint32_t fraction =
        e >= kFractionBits ? (x >> (e - kFractionBits)) & 0xff : (x << (kFractionBits - e)) & 0xff;
    return e * PriceModel::kUnit + kLog2Fraction[fraction];
}

// -log2 of each symbol's share, where every symbol, used or not, keeps some weight: an
// unused one may be used next.
void PricesFrom(const std::uint32_t* freq, int n, int* price) {
    std::uint32_t total = 0;
    for (int i = 0; i < n; ++i) {
        total += 2 * freq[i] + 1;
    }
    const int logTotal = Log2(total);
    for (int i = 0; i < n; ++i) {
        price[i] = std::min(logTotal - Log2(2 * freq[i] + 1), kMaxCodeLength * PriceModel::kUnit);
    }
}

} // namespace

PriceModel::PriceModel(const Params& params) : np_(params.np) {
    Refresh();
}

void PriceModel::Refresh() {
    PricesFrom(cFreq_, kNC, cPrice_);
    PricesFrom(pFreq_, np_, pPrice_);
    for (int i = 2; i < np_; ++i) {
        pPrice_[i] += (i - 1) * kUnit;
    }
    for (auto& f : cFreq_) {
        f /= 2;
    }
    for (auto& f : pFreq_) {
        f /= 2;
    }
    counted_ = 0;
}

} // namespace unlha::lzh
