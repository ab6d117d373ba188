// Prices follow the counted tokens: each symbol costs about -log2 of its share, distances
// add their extra bits, and old counts fade.

#include "PriceModel.h"

#include <cmath>
#include <gtest/gtest.h>

namespace unlha::lzh {
namespace {

constexpr Params kParams = ParamsFor(16);
constexpr int kRefresh = 8192;

TEST(PriceModel, StartsEvenAndChargesTheExtraBitsOfDistances) {
    const PriceModel prices(kParams);
    EXPECT_EQ(prices.Literal('a'), prices.Literal('z'));
    EXPECT_EQ(prices.Literal('a'), prices.Length(kMinMatch));
    // Distance 1 has no extra bits; 40000 (P symbol 16) has 15.
    EXPECT_EQ(prices.Distance(40000) - prices.Distance(1), 15 * PriceModel::kUnit);
}

TEST(PriceModel, PricesAreTheLogOfEachShareOnceRefreshed) {
    PriceModel prices(kParams);
    for (int i = 0; i < kRefresh; ++i) {
        if (i % 8 == 0) {
            prices.CountMatch(10, 300);
        } else {
            prices.CountLiteral(i % 2 == 0 ? 'e' : 't');
        }
    }
    prices.RefreshIfDue();
    // Counts weigh 2f + 1, so that unused symbols keep a price.
    const double total = 2.0 * kRefresh + kNC;
    const auto expected = [&](double f) {
        return std::log2(total / (2 * f + 1)) * PriceModel::kUnit;
    };
    struct Case {
        const char* what;
        int price;
        double count;
    };
    const Case cases[] = {
        {"e", prices.Literal('e'), 3072},
        {"t", prices.Literal('t'), 4096},
        {"length 10", prices.Length(10), 1024},
        {"unused", prices.Literal('q'), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_NEAR(c.price, expected(c.count), 1.0);
    }
    EXPECT_LT(prices.Distance(300), prices.Distance(1));
}

TEST(PriceModel, OldCountsFadeAndNothingChangesBeforeARefreshIsDue) {
    PriceModel prices(kParams);
    for (int i = 0; i < kRefresh; ++i) {
        prices.CountLiteral('a');
    }
    prices.RefreshIfDue();
    const int cheapA = prices.Literal('a');
    for (int i = 0; i < kRefresh - 1; ++i) {
        prices.CountLiteral('b');
    }
    prices.RefreshIfDue();
    EXPECT_EQ(prices.Literal('a'), cheapA);
    prices.CountLiteral('b');
    for (int round = 0; round < 3; ++round) {
        prices.RefreshIfDue();
        for (int i = 0; i < kRefresh; ++i) {
            prices.CountLiteral('b');
        }
    }
    prices.RefreshIfDue();
    EXPECT_LT(prices.Literal('b'), cheapA + PriceModel::kUnit);
    EXPECT_GT(prices.Literal('a'), cheapA + 3 * PriceModel::kUnit);
}

} // namespace
} // namespace unlha::lzh
