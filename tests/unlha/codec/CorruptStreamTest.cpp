// Damaged streams must end in Corrupt (or, for harmless damage, a clean result) without
// reading outside the input or delivering more than the original size.

#include "BitWriter.h"
#include "BlockWriter.h"
#include "LhasaJudge.h"
#include "LzhEncoder.h"
#include "TestInputs.h"
#include "codec.h"

#include <gtest/gtest.h>
#include <random>

namespace unlha::test {
namespace {

struct Outcome {
    DecodeResult result;
    Bytes bytes;
};

// Decodes from a buffer of exactly the stream's size, so that the sanitizer build sees any
// read past it.
Outcome DecodeExact(const char* method, const Bytes& stream, std::size_t originalSize) {
    const auto copy = std::make_unique<std::uint8_t[]>(stream.size() + 1);
    std::copy(stream.begin(), stream.end(), copy.get());
    Collector out;
    const DecodeResult r = Decode(method, copy.get(), stream.size(), originalSize, std::ref(out));
    EXPECT_LE(out.bytes.size(), originalSize);
    return {r, out.bytes};
}

Bytes Encoded(int dictBits, const Bytes& input) {
    Collector out;
    lzh::EncodeStatic(dictBits, input.data(), input.size(), std::ref(out));
    return out.bytes;
}

// A block of hand-made tokens as our encoder would write it.
Bytes OneBlock(int dictBits, const lzh::Tokens& tokens) {
    lzh::BitWriter out;
    lzh::WriteBlock(out, lzh::ParamsFor(dictBits), tokens.Span());
    out.Finish();
    return out.Bytes();
}

constexpr const char* kOurMethods[] = {"-lh4-", "-lh5-", "-lh6-", "-lh7-"};
constexpr int kDictBits[] = {12, 13, 15, 16};

TEST(CorruptStream, TruncationsAreCorrupt) {
    const Bytes input = TextLike(40000, 21);
    for (int m = 0; m < 4; ++m) {
        const Bytes stream = Encoded(kDictBits[m], input);
        for (std::size_t keep = 0; keep + 1 < stream.size(); keep += 1 + keep / 3) {
            const Bytes cut(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(keep));
            const Outcome o = DecodeExact(kOurMethods[m], cut, input.size());
            EXPECT_EQ(o.result, DecodeResult::Corrupt) << kOurMethods[m] << " keep " << keep;
        }
    }
}

TEST(CorruptStream, ClaimingMoreThanWasEncodedIsCorrupt) {
    const Bytes input = TextLike(5000, 22);
    const Bytes stream = Encoded(13, input);
    EXPECT_EQ(DecodeExact("-lh5-", stream, input.size() + 4096).result, DecodeResult::Corrupt);
}

// Claiming less is fine where a token ends: decoding stops there. Where the claim cuts a
// match, the stream does not fit the size. Hand-made tokens, since where the encoder's
// tokens end depends on how it parses.
TEST(CorruptStream, ClaimingLessStopsAtATokenEnd) {
    lzh::Tokens tokens;
    tokens.c = {'a', 'b', 256 + 4 - 3, 'c', 'd'};
    tokens.position = {1}; // "abab" from distance 2
    const Bytes stream = OneBlock(13, tokens);
    const struct {
        std::size_t claim;
        DecodeResult result;
        const char* bytes;
    } cases[] = {
        {7, DecodeResult::Ok, "abababc"}, {6, DecodeResult::Ok, "ababab"},
        {2, DecodeResult::Ok, "ab"},      {5, DecodeResult::Corrupt, ""},
        {3, DecodeResult::Corrupt, ""},
    };
    for (const auto& c : cases) {
        const Outcome o = DecodeExact("-lh5-", stream, c.claim);
        EXPECT_EQ(o.result, c.result) << c.claim;
        if (c.result == DecodeResult::Ok) {
            EXPECT_EQ(o.bytes, Bytes(c.bytes, c.bytes + c.claim)) << c.claim;
        }
    }
}

TEST(CorruptStream, RandomDamageNeverCrashesAndAgreesWithLhasaWhenBothDecode) {
    const Bytes input = TextLike(20000, 23);
    std::mt19937 rng(24);
    for (int m = 0; m < 4; ++m) {
        const Bytes stream = Encoded(kDictBits[m], input);
        for (int trial = 0; trial < 300; ++trial) {
            Bytes damaged = stream;
            const int flips = 1 + static_cast<int>(rng() % 4);
            for (int f = 0; f < flips; ++f) {
                damaged[rng() % damaged.size()] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
            }
            const Outcome o = DecodeExact(kOurMethods[m], damaged, input.size());
            ASSERT_NE(o.result, DecodeResult::SinkStopped);
            if (o.result != DecodeResult::Ok) {
                continue;
            }
            EXPECT_EQ(o.bytes.size(), input.size());
            const auto judged = LhasaDecode(kOurMethods[m], damaged, input.size());
            if (judged.has_value()) {
                EXPECT_EQ(*judged, o.bytes) << kOurMethods[m] << " trial " << trial;
            }
        }
    }
}

TEST(CorruptStream, GarbageIsRejectedForEveryMethod) {
    std::mt19937 rng(25);
    for (const char* method : {"-lh1-", "-lh4-", "-lh5-", "-lh6-", "-lh7-", "-lhx-", "-lzs-",
                               "-lz5-", "-pm1-", "-pm2-"}) {
        for (int trial = 0; trial < 20; ++trial) {
            const Bytes garbage = RandomBytes(1 + rng() % 3000, static_cast<std::uint32_t>(rng()));
            const Outcome o = DecodeExact(method, garbage, 1 + rng() % 100000);
            EXPECT_NE(o.result, DecodeResult::UnknownMethod) << method;
        }
    }
}

TEST(CorruptStream, DistanceBeforeTheStartIsCorrupt) {
    lzh::Tokens tokens;
    tokens.c = {'a', 'b', 256 + 4 - 3};
    tokens.position = {2}; // distance 3, but only 2 bytes exist
    const Bytes stream = OneBlock(13, tokens);
    EXPECT_EQ(DecodeExact("-lh5-", stream, 6).result, DecodeResult::Corrupt);
    tokens.position = {1}; // distance 2 is fine
    const Outcome o = DecodeExact("-lh5-", OneBlock(13, tokens), 6);
    EXPECT_EQ(o.result, DecodeResult::Ok);
    EXPECT_EQ(o.bytes, (Bytes{'a', 'b', 'a', 'b', 'a', 'b'}));
}

TEST(CorruptStream, MatchPastTheOriginalSizeIsCorrupt) {
    lzh::Tokens tokens;
    tokens.c = {'z', 256 + 10 - 3};
    tokens.position = {0};
    const Bytes stream = OneBlock(16, tokens);
    EXPECT_EQ(DecodeExact("-lh7-", stream, 11).result, DecodeResult::Ok);
    EXPECT_EQ(DecodeExact("-lh7-", stream, 8).result, DecodeResult::Corrupt);
}

TEST(CorruptStream, BadTablesAreCorrupt) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, std::uint32_t>> bits;
    };
    const std::vector<Case> cases = {
        // T table: 19 lengths of 1 oversubscribe the code.
        {"OversubscribedT", {{16, 1}, {5, 19}, {3, 1}, {3, 1}, {3, 1}, {2, 0}, {3, 1}, {3, 1},
                             {3, 1},  {3, 1},  {3, 1}, {3, 1}, {3, 1}, {3, 1}, {3, 1}, {3, 1},
                             {3, 1},  {3, 1},  {3, 1}, {3, 1}, {3, 1}, {3, 1}}},
        // T count beyond its 19 symbols.
        {"TCountTooLarge", {{16, 1}, {5, 20}}},
        // The one-symbol T form naming symbol 25.
        {"SingleTOutOfRange", {{16, 1}, {5, 0}, {5, 25}}},
        // C count beyond its 510 symbols.
        {"CCountTooLarge", {{16, 1}, {5, 0}, {5, 3}, {9, 511}}},
        // The one-symbol C form naming symbol 511.
        {"SingleCOutOfRange", {{16, 1}, {5, 0}, {5, 0}, {9, 0}, {9, 511}}},
        // A unary length running past 16.
        {"LengthPast16", {{16, 1}, {5, 4}, {3, 7}, {12, 0xfff}, {1, 0}}},
        // P table of -lh5- with 15 symbols where 14 exist.
        {"PCountTooLarge", {{16, 1}, {5, 0}, {5, 0}, {9, 0}, {9, 300}, {4, 15}}},
        // A zero run of the C lengths past the alphabet's end: T symbol 2 runs 20 + 511.
        {"CZeroRunPastEnd", {{16, 1}, {5, 0}, {5, 2}, {9, 509}, {9, 511}}},
    };
    for (const Case& c : cases) {
        lzh::BitWriter out;
        for (const auto& [n, v] : c.bits) {
            out.Put(n, v);
        }
        out.Put(32, 0);
        out.Finish();
        EXPECT_EQ(DecodeExact("-lh5-", out.Bytes(), 10).result, DecodeResult::Corrupt) << c.name;
    }
}

TEST(CorruptStream, CopiesShorterThanTheOriginalAreCorrupt) {
    const Bytes data = RandomBytes(100, 26);
    for (const char* method : {"-lh0-", "-lz4-", "-lhd-"}) {
        EXPECT_EQ(DecodeExact(method, data, 101).result, DecodeResult::Corrupt) << method;
        const Outcome o = DecodeExact(method, data, 100);
        EXPECT_EQ(o.result, DecodeResult::Ok) << method;
        EXPECT_EQ(o.bytes, data) << method;
    }
}

} // namespace
} // namespace unlha::test
