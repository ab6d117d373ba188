#include "HuffmanCode.h"

#include "BitWriter.h"

#include <gtest/gtest.h>
#include <numeric>

namespace unlha::lzh {
namespace {

std::uint64_t KraftSum(const std::uint8_t* lengths, int n) {
    std::uint64_t sum = 0;
    for (int i = 0; i < n; ++i) {
        if (lengths[i] != 0) {
            sum += std::uint64_t{1} << (kMaxCodeLength - lengths[i]);
        }
    }
    return sum;
}

TEST(CodeLengths, FibonacciWeightsAreLimitedTo16AndStayComplete) {
    // Fibonacci weights give a Huffman tree one level deeper per symbol: far past 16.
    std::uint32_t freq[40];
    freq[0] = freq[1] = 1;
    for (int i = 2; i < 40; ++i) {
        freq[i] = freq[i - 1] + freq[i - 2];
    }
    std::uint8_t lengths[40];
    BuildCodeLengths(freq, 40, kMaxCodeLength, lengths);
    for (int i = 0; i < 40; ++i) {
        EXPECT_GE(lengths[i], 1);
        EXPECT_LE(lengths[i], kMaxCodeLength);
    }
    EXPECT_EQ(KraftSum(lengths, 40), std::uint64_t{1} << kMaxCodeLength);
    // More frequent symbols never get longer codes.
    for (int i = 1; i < 40; ++i) {
        EXPECT_LE(lengths[i], lengths[i - 1]);
    }
}

TEST(CodeLengths, FewerThanTwoSymbolsGiveTheOneSymbolForm) {
    std::uint32_t freq[5] = {0, 0, 9, 0, 0};
    std::uint8_t lengths[5];
    BuildCodeLengths(freq, 5, kMaxCodeLength, lengths);
    EXPECT_EQ(KraftSum(lengths, 5), 0u);
    std::uint32_t two[5] = {0, 3, 0, 0, 1};
    BuildCodeLengths(two, 5, kMaxCodeLength, lengths);
    EXPECT_EQ(lengths[1], 1);
    EXPECT_EQ(lengths[4], 1);
}

TEST(DecodeTable, DecodesEveryCodeWrittenWithTheSameLengths) {
    // Lengths 1..16 plus a second 16: complete, and half of them beyond the fast table.
    std::uint8_t lengths[17];
    std::iota(lengths, lengths + 16, 1);
    lengths[16] = 16;
    std::uint16_t codes[17];
    AssignCodes(lengths, 17, codes);
    BitWriter out;
    for (int round = 0; round < 3; ++round) {
        for (int s = 16; s >= 0; --s) {
            out.Put(lengths[s], codes[s]);
        }
    }
    out.Finish();
    DecodeTable table;
    ASSERT_TRUE(table.Build(lengths, 17));
    BitReader in(out.Bytes().data(), out.Bytes().size());
    for (int round = 0; round < 3; ++round) {
        for (int s = 16; s >= 0; --s) {
            in.Refill();
            EXPECT_EQ(table.Decode(in), s);
        }
    }
    EXPECT_FALSE(in.Overrun());
}

TEST(DecodeTable, RejectsOversubscribedLengthsAndFlagsUnusedCodes) {
    const std::uint8_t tooMany[3] = {1, 1, 1};
    DecodeTable table;
    EXPECT_FALSE(table.Build(tooMany, 3));
    const std::uint8_t tooLong[2] = {1, 17};
    EXPECT_FALSE(table.Build(tooLong, 2));
    // Only "0" is a code; "1..." decodes as nothing.
    const std::uint8_t incomplete[2] = {1, 0};
    ASSERT_TRUE(table.Build(incomplete, 2));
    const std::uint8_t ones[4] = {0xff, 0xff, 0xff, 0xff};
    BitReader in(ones, 4);
    in.Refill();
    EXPECT_EQ(table.Decode(in), -1);
}

} // namespace
} // namespace unlha::lzh
