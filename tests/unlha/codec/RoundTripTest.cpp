// Our encoder's output must decode to the input byte for byte, both by our decoder and by
// liblhasa's, for every method we write (and -lh4-, which is -lh5- with a 4 KiB window).

#include "LhasaDecoder.h"
#include "LhasaJudge.h"
#include "LzhEncoder.h"
#include "TestInputs.h"
#include "codec.h"

#include <functional>
#include <gtest/gtest.h>

namespace unlha::test {
namespace {

struct Method {
    const char* name;
    int dictBits;
};

constexpr Method kMethods[] = {{"-lh4-", 12}, {"-lh5-", 13}, {"-lh6-", 15}, {"-lh7-", 16}};

Bytes EncodeAll(int dictBits, const Bytes& input) {
    Collector out;
    const std::int64_t n = lzh::EncodeStatic(dictBits, input.data(), input.size(), std::ref(out));
    EXPECT_EQ(n, static_cast<std::int64_t>(out.bytes.size()));
    return out.bytes;
}

Bytes DecodeAll(const char* method, const Bytes& stream, std::size_t size) {
    Collector out;
    EXPECT_EQ(Decode(method, stream.data(), stream.size(), size, std::ref(out)), DecodeResult::Ok);
    return out.bytes;
}

class RoundTrip : public ::testing::TestWithParam<Method> {};

TEST_P(RoundTrip, OursAndLhasaGiveBackEveryInput) {
    const Method m = GetParam();
    for (const NamedInput& input : SmallInputs()) {
        SCOPED_TRACE(input.name);
        const Bytes stream = EncodeAll(m.dictBits, input.data);
        EXPECT_EQ(DecodeAll(m.name, stream, input.data.size()), input.data);
        const auto judged = LhasaDecode(m.name, stream, input.data.size());
        ASSERT_TRUE(judged.has_value());
        EXPECT_EQ(*judged, input.data);
    }
}

TEST_P(RoundTrip, CompressesWhatIsCompressible) {
    const Method m = GetParam();
    const Bytes zeros(300000, 0);
    EXPECT_LT(EncodeAll(m.dictBits, zeros).size(), 3000u);
    const Bytes text = TextLike(300000, 7);
    EXPECT_LT(EncodeAll(m.dictBits, text).size(), text.size() / 3);
    // Random data may grow only by the tables and the literal codes' rounding.
    const Bytes random = RandomBytes(200000, 8);
    EXPECT_LT(EncodeAll(m.dictBits, random).size(), random.size() + random.size() / 50);
}

INSTANTIATE_TEST_SUITE_P(Methods, RoundTrip, ::testing::ValuesIn(kMethods), [](const auto& info) {
    return std::string(info.param.name).substr(1, 3);
});

// Text followed by noise within one gather of tokens: the blocks must be cut near the change,
// so the whole costs hardly more than the two parts packed on their own.
TEST_P(RoundTrip, CutsBlocksWhereTheDataChanges) {
    const Method m = GetParam();
    const Bytes text = TextLike(90000, 21);
    const Bytes noise = RandomBytes(15000, 22);
    Bytes input = text;
    input.insert(input.end(), noise.begin(), noise.end());
    const Bytes stream = EncodeAll(m.dictBits, input);
    const std::size_t apart =
        EncodeAll(m.dictBits, text).size() + EncodeAll(m.dictBits, noise).size();
    EXPECT_LT(stream.size(), apart + apart / 50);
    const auto judged = LhasaDecode(m.name, stream, input.size());
    ASSERT_TRUE(judged.has_value());
    EXPECT_EQ(*judged, input);
}

// Long runs without a match are searched only at some positions; the others must still be
// found when the same bytes come again.
TEST_P(RoundTrip, FindsRepeatsOfNoiseThatWasPassedOver) {
    const Method m = GetParam();
    const Bytes noise = RandomBytes(3000, 23);
    Bytes twice = noise;
    twice.insert(twice.end(), noise.begin(), noise.end());
    const Bytes stream = EncodeAll(m.dictBits, twice);
    EXPECT_LT(stream.size(), EncodeAll(m.dictBits, noise).size() + 200);
    EXPECT_EQ(DecodeAll(m.name, stream, twice.size()), twice);
}

TEST(RoundTrip, LargeInputThroughTheWidestWindow) {
    // 64 MB of text-like data with random stretches, so that blocks, window slides and the
    // decoder's buffer turnover all happen many times.
    Bytes input = TextLike(std::size_t{64} << 20, 11);
    const Bytes noise = RandomBytes(1 << 20, 12);
    for (std::size_t at = 0; at + noise.size() < input.size(); at += std::size_t{9} << 20) {
        std::copy(noise.begin(), noise.end(), input.begin() + static_cast<std::ptrdiff_t>(at));
    }
    const Bytes stream = EncodeAll(16, input);
    EXPECT_TRUE(DecodeAll("-lh7-", stream, input.size()) == input);
    const auto judged = LhasaDecode("-lh7-", stream, input.size());
    ASSERT_TRUE(judged.has_value());
    EXPECT_TRUE(*judged == input);
}

TEST(Encode, PublicEntryMatchesTheMethodNames) {
    EXPECT_EQ(EncodableDictionaryBits("-lh5-"), 13);
    EXPECT_EQ(EncodableDictionaryBits("-lh6-"), 15);
    EXPECT_EQ(EncodableDictionaryBits("-lh7-"), 16);
    for (const char* other : {"-lh4-", "-lh0-", "-lhd-", "-lh8-", "", "-LH5-"}) {
        EXPECT_EQ(EncodableDictionaryBits(other), 0) << other;
    }
    const Bytes text = TextLike(50000, 3);
    Collector out;
    const std::int64_t n = Encode(13, text.data(), text.size(), std::ref(out));
    EXPECT_EQ(n, static_cast<std::int64_t>(out.bytes.size()));
    EXPECT_EQ(DecodeAll("-lh5-", out.bytes, text.size()), text);
}

TEST(Encode, OtherDictionarySizesAreRefused) {
    const Bytes text = TextLike(1000, 6);
    for (const int bits : {0, 12, 14, 17, 20, -1}) {
        int calls = 0;
        EXPECT_EQ(Encode(bits, text.data(), text.size(),
                         [&](const std::uint8_t*, std::size_t) { return ++calls > 0; }),
                  -1)
            << bits;
        EXPECT_EQ(calls, 0) << bits;
    }
}

// The input is read through a buffer that moves down every MiB; how the source cuts it up
// must not matter, and matches must reach back across every move.
TEST(Encode, ReadsItsInputThroughASource) {
    const Bytes noise = RandomBytes(40000, 13);
    Bytes input;
    while (input.size() < (std::size_t{5} << 20)) {
        input.insert(input.end(), noise.begin(), noise.end());
    }
    std::size_t at = 0;
    int calls = 0;
    Collector out;
    const std::int64_t n = Encode(
        16,
        [&](std::uint8_t* data, std::size_t room) {
            const std::size_t k = std::min({room, input.size() - at, std::size_t{1} + calls++ % 7});
            std::copy_n(input.begin() + static_cast<std::ptrdiff_t>(at), k, data);
            at += k;
            return static_cast<std::int64_t>(k);
        },
        std::ref(out));
    EXPECT_EQ(n, static_cast<std::int64_t>(out.bytes.size()));
    EXPECT_TRUE(out.bytes == EncodeAll(16, input));
    // Only the first copy of the noise costs its bytes; after it every 256 bytes are one match
    // at the same distance, about 17 bits (a bit for each code, 15 extra position bits). A
    // move that lost the chains would cost another 40000 bytes after it.
    const std::size_t matches = input.size() / 256;
    EXPECT_LT(out.bytes.size(), noise.size() + matches * 18 / 8 + 4096);
    EXPECT_TRUE(DecodeAll("-lh7-", out.bytes, input.size()) == input);
}

TEST(Encode, FailingSourceEndsWithMinusOne) {
    const Bytes text = TextLike(300000, 8);
    std::size_t at = 0;
    const std::int64_t n = Encode(
        13,
        [&](std::uint8_t* data, std::size_t room) -> std::int64_t {
            if (at >= 100000) {
                return -1;
            }
            const std::size_t k = std::min<std::size_t>(room, 4096);
            std::copy_n(text.begin() + static_cast<std::ptrdiff_t>(at), k, data);
            at += k;
            return static_cast<std::int64_t>(k);
        },
        [](const std::uint8_t*, std::size_t) { return true; });
    EXPECT_EQ(n, -1);
}

TEST(Encode, StoppedSinkEndsWithMinusOne) {
    const Bytes random = RandomBytes(1 << 20, 4);
    int calls = 0;
    const std::int64_t n = Encode(16, random.data(), random.size(),
                                  [&](const std::uint8_t*, std::size_t) { return ++calls < 2; });
    EXPECT_EQ(n, -1);
    EXPECT_EQ(calls, 2);
}

// A source of the stream's bytes that gives 1 to 7 at a time and, from failAt on, fails.
Source Trickle(const Bytes& stream, std::size_t failAt) {
    return [&stream, failAt, at = std::size_t{0}, calls = 0](std::uint8_t* data,
                                                             std::size_t room) mutable {
        if (at >= failAt) {
            return std::int64_t{-1};
        }
        const std::size_t k = std::min({room, stream.size() - at, std::size_t{1} + calls++ % 7});
        std::copy_n(stream.begin() + static_cast<std::ptrdiff_t>(at), k, data);
        at += k;
        return static_cast<std::int64_t>(k);
    };
}

// The compressed bytes are read a chunk at a time, in whatever pieces the source gives; a
// source that fails midway is told apart from damaged data, by our decoder, the copy of
// stored members and liblhasa's decoders alike.
TEST(Decode, ReadsItsInputThroughASource) {
    Bytes input = TextLike(200000, 14);
    const Bytes noise = RandomBytes(150000, 15);
    input.insert(input.end(), noise.begin(), noise.end());
    const Bytes stream = EncodeAll(13, input);
    using DecodeFn = std::function<DecodeResult(const Source&, const Bytes&, const Sink&)>;
    const std::pair<const char*, DecodeFn> decoders[] = {
        {"ours", [](const Source& s, const Bytes& b,
                    const Sink& sink) { return Decode("-lh5-", s, b.size(), 350000, sink); }},
        {"liblhasa",
         [](const Source& s, const Bytes& b, const Sink& sink) {
             return lzh::DecodeWithLhasa("-lh5-", s, b.size(), 350000, sink);
         }},
    };
    for (const auto& [name, decode] : decoders) {
        SCOPED_TRACE(name);
        Collector out;
        EXPECT_EQ(decode(Trickle(stream, stream.size()), stream, std::ref(out)), DecodeResult::Ok);
        EXPECT_TRUE(out.bytes == input);
        Collector partial;
        EXPECT_EQ(decode(Trickle(stream, stream.size() / 2), stream, std::ref(partial)),
                  DecodeResult::SourceFailed);
    }
    Collector copied;
    EXPECT_EQ(
        Decode("-lh0-", Trickle(input, input.size()), input.size(), input.size(), std::ref(copied)),
        DecodeResult::Ok);
    EXPECT_TRUE(copied.bytes == input);
    EXPECT_EQ(Decode("-lh0-", Trickle(input, 1000), input.size(), input.size(), std::ref(copied)),
              DecodeResult::SourceFailed);
}

TEST(Decode, StoppedSinkEndsDecoding) {
    const Bytes random = RandomBytes(1 << 20, 5);
    const Bytes stream = EncodeAll(13, random);
    int calls = 0;
    EXPECT_EQ(Decode("-lh5-", stream.data(), stream.size(), random.size(),
                     [&](const std::uint8_t*, std::size_t) { return ++calls < 2; }),
              DecodeResult::SinkStopped);
    EXPECT_EQ(calls, 2);
}

} // namespace
} // namespace unlha::test
