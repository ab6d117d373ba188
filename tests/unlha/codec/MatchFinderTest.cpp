// The match finder against a brute-force search: every match it reports is real and inside
// the window, and with an unlimited chain it finds the longest match of 6 bytes or more
// (shorter ones come from single newest-position tables, so it may settle for less there).

#include "MatchFinder.h"

#include "TestInputs.h"

#include <gtest/gtest.h>

namespace unlha::lzh {
namespace {

using test::Bytes;

int Common(const Bytes& data, std::size_t a, std::size_t b, int limit) {
    int n = 0;
    while (n < limit && data[a + n] == data[b + n]) {
        ++n;
    }
    return n;
}

// Longest match at pos within window - 1 bytes back.
int BruteLongest(const Bytes& data, std::size_t pos, std::uint32_t maxDistance) {
    const int limit = static_cast<int>(std::min<std::size_t>(kMaxMatch, data.size() - pos));
    int best = 0;
    for (std::uint32_t d = 1; d <= maxDistance && d <= pos; ++d) {
        best = std::max(best, Common(data, pos - d, pos, limit));
    }
    return best >= kMinMatch ? best : 0;
}

constexpr std::size_t kCopied = 2000;
constexpr std::size_t kCopyDistance = 5000;

// Text with repeats at every distance, random stretches, a run, and at the end a copy of
// kCopied bytes from kCopyDistance back.
Bytes Sample() {
    Bytes data = test::TextLike(12000, 3);
    const Bytes random = test::RandomBytes(3000, 4);
    data.insert(data.end(), random.begin(), random.end());
    data.insert(data.end(), 700, 'x');
    const auto from = data.end() - static_cast<std::ptrdiff_t>(kCopyDistance);
    const Bytes copy(from, from + static_cast<std::ptrdiff_t>(kCopied));
    data.insert(data.end(), copy.begin(), copy.end());
    return data;
}

TEST(MatchFinder, ReportsRealMatchesAndTheLongestOfSixOrMore) {
    const Bytes data = Sample();
    for (const int dictBits : {12, 13}) {
        SCOPED_TRACE(dictBits);
        const std::uint32_t maxDistance = (1u << dictBits) - 1;
        MatchFinder finder(data.data(), data.size(), dictBits, 1 << 20, kMaxMatch);
        for (std::size_t pos = 0; pos < data.size(); ++pos) {
            const Match m = finder.Find(pos, 0, 0);
            const int best = BruteLongest(data, pos, maxDistance);
            if (m.length != 0) {
                ASSERT_GE(m.length, kMinMatch) << pos;
                ASSERT_GE(m.distance, 1u) << pos;
                ASSERT_LE(m.distance, maxDistance) << pos;
                ASSERT_LE(m.distance, pos) << pos;
                ASSERT_GE(Common(data, pos - m.distance, pos, m.length), m.length) << pos;
            }
            ASSERT_LE(m.length, best) << pos;
            if (best >= 6 && pos + 8 <= data.size()) {
                ASSERT_EQ(m.length, best) << pos;
            }
        }
    }
}

TEST(MatchFinder, AtLeastAndAShortChainOnlyEverShortenTheSearch) {
    const Bytes data = Sample();
    MatchFinder full(data.data(), data.size(), 13, 1 << 20, kMaxMatch);
    MatchFinder bounded(data.data(), data.size(), 13, 1 << 20, kMaxMatch);
    for (std::size_t pos = 0; pos < data.size(); ++pos) {
        const Match all = full.Find(pos, 0, 0);
        const Match longer = bounded.Find(pos, 5, 3);
        if (longer.length != 0) {
            ASSERT_GT(longer.length, 5) << pos;
            ASSERT_LE(longer.length, all.length) << pos;
        }
    }
}

TEST(MatchFinder, PositionsEnteredWithoutASearchAreFound) {
    const Bytes data = Sample();
    MatchFinder finder(data.data(), data.size(), 13, 1 << 20, kMaxMatch);
    // The copy at the end is found although nothing before it was searched.
    const std::size_t copy = data.size() - kCopied;
    finder.InsertUpTo(copy);
    const Match m = finder.Find(copy, 0, 0);
    EXPECT_EQ(m.length, kMaxMatch);
    EXPECT_EQ(m.distance, kCopyDistance);
}

// The encoder moves its buffer down by a multiple of the window once the position is more than
// a window past the cut: every match found afterwards must be the one found without a move.
TEST(MatchFinder, FindsTheSameMatchesAfterTheDataMovesDown) {
    const Bytes data = Sample();
    constexpr int kDictBits = 12;
    constexpr std::size_t kBy = 2u << kDictBits;
    constexpr std::size_t kCut = kBy + (1u << kDictBits) + 100;
    MatchFinder reference(data.data(), data.size(), kDictBits, 1 << 20, kMaxMatch);
    Bytes moved = data;
    MatchFinder finder(moved.data(), moved.size(), kDictBits, 1 << 20, kMaxMatch);
    for (std::size_t pos = 0; pos < kCut; ++pos) {
        reference.Find(pos, 0, 0);
        finder.Find(pos, 0, 0);
    }
    std::copy(moved.begin() + kBy, moved.end(), moved.begin());
    finder.Slide(kBy);
    finder.Extend(data.size() - kBy);
    int found = 0;
    for (std::size_t pos = kCut; pos < data.size(); ++pos) {
        const Match before = reference.Find(pos, 0, 0);
        const Match after = finder.Find(pos - kBy, 0, 0);
        ASSERT_EQ(after.length, before.length) << pos;
        ASSERT_EQ(after.distance, before.distance) << pos;
        found += before.length != 0;
    }
    EXPECT_GT(found, 1000);
}

} // namespace
} // namespace unlha::lzh
