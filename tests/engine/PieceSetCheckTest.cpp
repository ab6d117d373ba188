// Whether listed pieces are one whole set, and what is wrong when they are not.

#include "engine/PieceSetCheck.h"

#include <gtest/gtest.h>

namespace zol {
namespace {

using Kind = SetGap::Kind;

struct GapCase {
    const char* what;
    std::vector<std::string> listed;
    std::vector<std::pair<Kind, std::string>> gaps; // kind and path of each gap, in order
};

class SetGaps : public ::testing::TestWithParam<GapCase> {};

TEST_P(SetGaps, AreFoundInListOrderThenTheMissingInPieceOrder) {
    std::vector<std::pair<Kind, std::string>> found;
    for (const SetGap& gap : FindSetGaps(GetParam().listed)) {
        found.emplace_back(gap.kind, gap.path);
    }
    EXPECT_EQ(found, GetParam().gaps);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SetGaps,
    ::testing::Values(GapCase{"whole, any order",
                              {"/f/zold(a(1).txt)030003.zol", "/f/zold(a(1).txt)030001.zol",
                               "/g/zold(a(1).txt)030002.zol"},
                              {}},
                      GapCase{"missing",
                              {"/f/zold(a.txt)040004.zol", "/f/zold(a.txt)040001.zol"},
                              {{Kind::Missing, "/f/zold(a.txt)040002.zol"},
                               {Kind::Missing, "/f/zold(a.txt)040003.zol"}}},
                      GapCase{"twice",
                              {"/f/zold(a.txt)020001.zol", "/g/zold(a.txt)020001.zol",
                               "/f/zold(a.txt)020002.zol"},
                              {{Kind::Twice, "/g/zold(a.txt)020001.zol"}}},
                      GapCase{"other set: name, count or file number",
                              {"/f/zold(a.txt)020001.zol", "/f/zold(b.txt)020002.zol",
                               "/f/zold(a.txt)030002.zol", "/f/zold(a.txt)020102.zol",
                               "/f/zold(a.txt)020002.zol"},
                              {{Kind::OtherSet, "/f/zold(b.txt)020002.zol"},
                               {Kind::OtherSet, "/f/zold(a.txt)030002.zol"},
                               {Kind::OtherSet, "/f/zold(a.txt)020102.zol"}}},
                      GapCase{"out of range",
                              {"/f/zold(a.txt)020000.zol", "/f/zold(a.txt)020001.zol",
                               "/f/zold(a.txt)020002.zol", "/f/zold(a.txt)020003.zol"},
                              {{Kind::OutOfRange, "/f/zold(a.txt)020000.zol"},
                               {Kind::OutOfRange, "/f/zold(a.txt)020003.zol"}}},
                      GapCase{"count 00",
                              {"/f/zold(a.txt)000001.zol"},
                              {{Kind::NoCount, "/f/zold(a.txt)000001.zol"}}},
                      GapCase{"not a piece",
                              {"/f/notes.txt", "/f/zold(a.txt)010001.zol"},
                              {{Kind::NotAPiece, "/f/notes.txt"}}}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST(SetGapFields, NameTheOtherFileAndTheNumbers) {
    const auto gaps = FindSetGaps(
        {"/f/zold(a.txt)030001.zol", "/g/zold(a.txt)030001.zol", "/f/zold(b.txt)030002.zol"});
    ASSERT_EQ(gaps.size(), 4u);
    EXPECT_EQ(gaps[0].other, "/f/zold(a.txt)030001.zol") << "listed first with number 01";
    EXPECT_EQ(gaps[0].pieceNo, 1);
    EXPECT_EQ(gaps[1].other, "/f/zold(a.txt)030001.zol") << "the set's first piece";
    EXPECT_EQ(gaps[2].pieceNo, 2);
    EXPECT_EQ(gaps[3].pieceNo, 3);
    EXPECT_EQ(gaps[3].count, 3);
}

} // namespace
} // namespace zol
