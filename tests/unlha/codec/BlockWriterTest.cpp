#include "BlockWriter.h"

#include "BitWriter.h"
#include "TestInputs.h"

#include <gtest/gtest.h>
#include <random>

namespace unlha::lzh {
namespace {

// The block splitter trusts BlockBits to predict WriteBlock's output to the bit.
TEST(BlockBits, PredictsTheWrittenSizeExactly) {
    std::mt19937 rng(31);
    struct Case {
        const char* name;
        Tokens tokens;
    };
    std::vector<Case> cases;
    Tokens literals;
    for (int i = 0; i < 5000; ++i) {
        literals.c.push_back(static_cast<std::uint16_t>(rng() % 256));
    }
    cases.push_back({"Literals", literals});
    Tokens mixed;
    for (int i = 0; i < 5000; ++i) {
        if (rng() % 3 == 0) {
            mixed.c.push_back(static_cast<std::uint16_t>(256 + rng() % 254));
            mixed.position.push_back(static_cast<std::uint16_t>(rng() % 65536 >> (rng() % 16)));
        } else {
            mixed.c.push_back(static_cast<std::uint16_t>('a' + rng() % 26));
        }
    }
    cases.push_back({"Mixed", mixed});
    Tokens single;
    single.c.assign(40, 256 + 253);
    single.position.assign(40, 0);
    cases.push_back({"OneSymbolEverywhere", single});
    for (const Case& c : cases) {
        for (const int dictBits : {13, 15, 16}) {
            // Positions must fit the window.
            Tokens tokens = c.tokens;
            for (auto& p : tokens.position) {
                p = static_cast<std::uint16_t>(p & ((1u << dictBits) - 1));
            }
            BitWriter out;
            WriteBlock(out, ParamsFor(dictBits), tokens.Span());
            const std::size_t whole = out.Bytes().size() * 8;
            out.Finish();
            const std::uint64_t predicted = BlockBits(ParamsFor(dictBits), tokens.Span());
            EXPECT_GE(predicted, whole) << c.name;
            EXPECT_EQ((predicted + 7) / 8, out.Bytes().size()) << c.name << " " << dictBits;
        }
    }
}

TEST(TokenSpan, SplitKeepsPositionsWithTheirMatches) {
    Tokens tokens;
    tokens.c = {'a', 256, 'b', 257, 258, 'c'};
    tokens.position = {10, 11, 12};
    const auto [first, second] = tokens.Span().Split(3);
    EXPECT_EQ(first.size, 3u);
    EXPECT_EQ(first.positions, 1u);
    EXPECT_EQ(second.size, 3u);
    EXPECT_EQ(second.positions, 2u);
    EXPECT_EQ(second.position[0], 11);
}

} // namespace
} // namespace unlha::lzh
