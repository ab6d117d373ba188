// The older methods go to liblhasa's decoders; the copies and unknown names are ours.

#include "BitWriter.h"
#include "TestInputs.h"
#include "codec.h"

#include <gtest/gtest.h>

namespace unlha::test {
namespace {

TEST(CanDecode, KnowsOursLhasasAndTheCopies) {
    for (const char* m : {"-lh0-", "-lh1-", "-lh4-", "-lh5-", "-lh6-", "-lh7-", "-lhx-", "-lzs-",
                          "-lz4-", "-lz5-", "-pm1-", "-pm2-", "-lhd-"}) {
        EXPECT_TRUE(CanDecode(m)) << m;
    }
    for (const char* m : {"-lh8-", "-lh9-", "", "lh5", "-LH5-", "-afx-"}) {
        EXPECT_FALSE(CanDecode(m)) << m;
        Collector out;
        EXPECT_EQ(Decode(m, nullptr, 0, 0, std::ref(out)), DecodeResult::UnknownMethod) << m;
    }
}

const Bytes kText = {'f', 'l', 'o',  'p', 'p', 'y', ' ', 'd', 'i',
                     's', 'k', '\n', 'f', 'l', 'o', 'p', 'p', 'y'};

TEST(OlderMethods, LzsLiteralsComeBack) {
    // -lzs-: a 1 bit then 8 bits for each literal.
    lzh::BitWriter out;
    for (const std::uint8_t c : kText) {
        out.Put(1, 1);
        out.Put(8, c);
    }
    out.Finish();
    Collector got;
    EXPECT_EQ(Decode("-lzs-", out.Bytes().data(), out.Bytes().size(), kText.size(), std::ref(got)),
              DecodeResult::Ok);
    EXPECT_EQ(got.bytes, kText);
}

TEST(OlderMethods, Lz5LiteralsComeBack) {
    // -lz5-: a flag byte per 8 items, a set bit (lowest first) for a literal byte.
    Bytes stream;
    for (std::size_t i = 0; i < kText.size(); i += 8) {
        stream.push_back(0xff);
        for (std::size_t k = i; k < std::min(i + 8, kText.size()); ++k) {
            stream.push_back(kText[k]);
        }
    }
    Collector got;
    EXPECT_EQ(Decode("-lz5-", stream.data(), stream.size(), kText.size(), std::ref(got)),
              DecodeResult::Ok);
    EXPECT_EQ(got.bytes, kText);
}

TEST(OlderMethods, EmptyStreamsOfEveryMethodAreCorruptWhenBytesAreExpected) {
    for (const char* m : {"-lh1-", "-lh4-", "-lh5-", "-lh6-", "-lh7-", "-lhx-", "-lzs-", "-lz5-",
                          "-pm1-", "-pm2-", "-lh0-"}) {
        Collector got;
        const std::uint8_t none = 0;
        EXPECT_EQ(Decode(m, &none, 0, 100, std::ref(got)), DecodeResult::Corrupt) << m;
        EXPECT_TRUE(got.bytes.empty()) << m;
    }
}

} // namespace
} // namespace unlha::test
