// The pure parts of zol: piece sizes, piece names read from their end, the listing's cells,
// the file an error is blamed on.

#include "cli/FailedFile.h"
#include "cli/JoinSet.h"
#include "cli/MemberTable.h"
#include "cli/SizeArg.h"
#include "engine/TextFormat.h"
#include "platform/FileError.h"

#include <gtest/gtest.h>

namespace zol::cli {
namespace {

struct SizeText {
    const char* text;
    std::optional<std::int64_t> size;
};

class PieceSizes : public ::testing::TestWithParam<SizeText> {};

TEST_P(PieceSizes, Parse) {
    EXPECT_EQ(ParsePieceSize(GetParam().text), GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PieceSizes,
    ::testing::Values(SizeText{"1.44", 1457664}, SizeText{"1.25", 1250304},
                      SizeText{"0.95", 996352}, SizeText{"0.72", 730112}, SizeText{"1000", 1000},
                      SizeText{"64k", 65536}, SizeText{"3M", 3145728}, SizeText{"2G", 2147483648},
                      SizeText{"4G-1", 4294967295}, SizeText{"1M-1K", 1047552},
                      SizeText{"8G", 8589934592}, SizeText{"1.5", std::nullopt},
                      SizeText{"", std::nullopt}, SizeText{"0", std::nullopt},
                      SizeText{"1K-1K", std::nullopt}, SizeText{"-5", std::nullopt},
                      SizeText{"5T", std::nullopt}, SizeText{"5KB", std::nullopt},
                      SizeText{"G", std::nullopt}, SizeText{"99999999999999999999", std::nullopt},
                      SizeText{"9000000000G", std::nullopt}),
    [](const auto& info) { return "text_" + std::to_string(info.index); });

TEST(PieceNames, FieldsAreReadFromTheEnd) {
    const auto piece = ReadPieceName("/x (2)/zold(a(1).txt)120311.zol");
    ASSERT_TRUE(piece);
    EXPECT_EQ(piece->sourceName, "a(1).txt");
    EXPECT_EQ(piece->setName, "zold(a(1).txt)1203");
    EXPECT_EQ(piece->count, 12);
    EXPECT_EQ(piece->pieceNo, 11);
    EXPECT_TRUE(ReadPieceName("ZOLD(X)010001.ZOL"));
    EXPECT_FALSE(ReadPieceName("zold(x)0100a1.zol"));
    EXPECT_FALSE(ReadPieceName("zoldfish.txt"));
    EXPECT_FALSE(ReadPieceName("zold(x)010001.zip"));
    EXPECT_FALSE(ReadPieceName("zold(x010001.zol"));
}

TEST(PieceNames, WholeSetInAnyOrderPassesAndIsOrdered) {
    const std::vector<PieceFile> set{
        {"d/zold(f)030003.zol", 5}, {"d/zold(f)030001.zol", 10}, {"d/zold(f)030002.zol", 10}};
    EXPECT_TRUE(CheckSet(set).empty());
    const auto ordered = InPieceOrder(set);
    EXPECT_EQ(ordered[0].path, "d/zold(f)030001.zol");
    EXPECT_EQ(ordered[2].path, "d/zold(f)030003.zol");
}

TEST(MemberCells, DateAndTimeAsTheViewerWritesThem) {
    EXPECT_EQ(DateText((19 << 9) | (5 << 5) | 3), "99/05/03");
    EXPECT_EQ(DateText((20 << 9) | (1 << 5) | 1), "00/01/01");
    EXPECT_EQ(DateText(0), "80/00/00");
    EXPECT_EQ(DateText(0xFFFF), "07/15/31");
    EXPECT_EQ(TimeText((13 << 11) | (45 << 5) | 15), "13:45:30");
    EXPECT_EQ(TimeText(0), "00:00:00");
}

TEST(MemberCells, TableAlignsColumns) {
    const std::string table = FormatMemberTable({{"a.txt", 1234567, 0, 0, "-----w", "-lh5-", 999},
                                                 {"日本.txt", 5, 0, 0, "-----w", "-lh0-", 5}});
    EXPECT_EQ(table, "Name       Original  Date      Time      Attribute  Method  Packed\n"
                     "a.txt     1,234,567  80/00/00  00:00:00  -----w      -lh5-     999\n"
                     "日本.txt          5  80/00/00  00:00:00  -----w      -lh0-       5\n");
}

TEST(FailedFile, NamesTheSideThatFailed) {
    const struct {
        FileSide side;
        const char* named;
    } cases[] = {
        {FileSide::Input, "in.iso"},
        {FileSide::Output, "/mnt/floppy/"},
        {FileSide::Either, "in.iso (to /mnt/floppy/)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FailedFile(FileError(SystemErrorBase + 5, c.side), "in.iso", "/mnt/floppy/"),
                  c.named);
    }
    EXPECT_EQ(FailedFile(std::runtime_error("x"), "in.iso", "/mnt/floppy/"), "in.iso");
}

} // namespace
} // namespace zol::cli
