#include "TestFiles.h"
#include "engine/ListOrder.h"
#include "engine/Paths.h"
#include "engine/PieceName.h"
#include "engine/TextFormat.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace zol {
namespace {

TEST(TwoCharField, TakesTheSecondAndThirdDigitOfValuePlusHundred) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "00"},   {9, "09"},   {10, "10"},  {99, "99"},  {100, "00"},
        {104, "04"}, {150, "50"}, {899, "99"}, {900, "00"}, {1000, "10"},
    };
    for (const auto& [value, field] : cases) {
        EXPECT_EQ(TwoCharField(value), field) << value;
    }
}

TEST(PieceNameRule, JoinsFolderSourceAndFields) {
    EXPECT_EQ(PieceName("/media/fd/", "report.doc", 3, 2, 1),
              "/media/fd/zold(report.doc)030201.zol");
    EXPECT_EQ(PieceName("/out", "a.txt", 150, 104, 12), "/outzold(a.txt)500412.zol");
    EXPECT_EQ(PieceName("", "zoltemp.lzh", 1, 0, 1), "zold(zoltemp.lzh)010001.zol");
}

TEST(PieceRecognition, LooksAtTheFirstFourLettersOfTheFileNameOnly) {
    const std::pair<const char*, bool> cases[] = {
        {"/a/zold(x.txt)020001.zol", true},
        {"/a/ZOLD(x.txt)020001.ZOL", true},
        {"/a/Zoldfish.txt", true},
        {"zold", true},
        {"/a/zol.txt", false},
        {"/zold/a.txt", false},
        {"/a/xzold(x.txt)020001.zol", false},
        {"", false},
    };
    for (const auto& [path, isPiece] : cases) {
        EXPECT_EQ(IsPieceName(path), isPiece) << path;
    }
}

TEST(PieceCount, ReadsTheCountFieldOfTheFileName) {
    const std::pair<const char*, int> cases[] = {
        {"/media/fd/zold(report.doc)030201.zol", 3},
        {"/a/zold(a(1).txt)020001.zol", 2},
        {"/old (12)/zold(x.txt)050001.ZOL", 5},
        {"zold(x)99", 99},
        {"zold(x)7", 7},
        {"12abc", 12},
    };
    for (const auto& [text, count] : cases) {
        EXPECT_EQ(PieceCountFromName(text), count) << text;
    }
}

TEST(PieceCount, NonNumbersFailWithTheTwoCharactersInTheMessage) {
    const std::pair<const char*, const char*> cases[] = {
        {"/a/zold(a(1).txt)0x0001.zol", "'.t' は整数ではありません"},
        {"/media/fd/zoldfish.txt", "'zo' は整数ではありません"},
        {"zold(x)", "'' は整数ではありません"},
        {"zold(x) 3", "' 3' は整数ではありません"},
    };
    for (const auto& [text, message] : cases) {
        try {
            PieceCountFromName(text);
            ADD_FAILURE() << text;
        } catch (const NotANumberError& error) {
            EXPECT_STREQ(error.what(), message) << text;
        }
    }
}

TEST(PieceOriginalNameRule, ReadsTheNameOfTheFileNameFromItsEnd) {
    const std::pair<const char*, const char*> cases[] = {
        {"/media/fd/zold(report.doc)030201.zol", "report.doc"},
        {"/a/zold(a(1).txt)020001.zol", "a(1).txt"},
        {"/old (2)/zold(x.txt)020001.zol", "x.txt"},
        {"/a/ZOLD(()).Zol)990199.zOL", "()).Zol"},
        {"/a/zold(a(1).txt)0x0001.zol", "a(1"},
        {"/a/plain.txt", ""},
        {"/a/zold(unclosed", "unclosed"},
    };
    for (const auto& [text, name] : cases) {
        EXPECT_EQ(PieceOriginalName(text), name) << text;
    }
}

TEST(PieceSetKeyRule, WholeNamesThroughTheFileNumberOthersThroughTheParenthesisAndThree) {
    const std::pair<const char*, const char*> cases[] = {
        {"/media/fd/zold(report.doc)030201.zol", "zold(report.doc)0302"},
        {"/media/fd/sub/zold(report.doc)030201.zol", "zold(report.doc)0302"},
        {"/old (2)/zold(x.txt)021201.zol", "zold(x.txt)0212"},
        {"/fd/zold(a(1).txt)030201.zol", "zold(a(1).txt)0302"},
        {"/a/zold(x)0", "zold(x)0"},
        {"/a/zold(x)030201.zol.bak", "zold(x)030"},
    };
    for (const auto& [path, key] : cases) {
        EXPECT_EQ(PieceSetKey(path), key) << path;
    }
}

TEST(PieceSetRule, WholeNamesMatchTheirSetOnlyOtherNamesAnyNameWithTheKey) {
    const struct {
        const char* first;
        const char* name;
        bool in;
    } cases[] = {
        {"/fd/zold(a.bin)030201.zol", "zold(a.bin)030203.zol", true},
        {"/fd/zold(a.bin)030201.zol", "zold(a.bin)030201.ZOL", true},
        {"/fd/zold(a.bin)030201.zol", "zold(a.bin)030301.zol", false},
        {"/fd/zold(a.bin)030201.zol", "zold(a.bin)020201.zol", false},
        {"/fd/zold(a.bin)030201.zol", "zold(a.bin)030201 - Copy.zol", false},
        {"/fd/zold(a.bin)030201.zol", "zold(a.bin)030201.zol.bak", false},
        {"/fd/zold(a.bin)030201.zol", "old zold(a.bin)030201.zol", false},
        {"/fd/zold(a(1).txt)030201.zol", "zold(a(1).txt)030202.zol", true},
        {"/fd/zold(a(1).txt)030201.zol", "zold(a(1).tx)030202.zol", false},
        {"/fd/zold(x)03", "zold(x)03.txt", true},
        {"/fd/zold(x)03", "a zold(x)03", true},
        {"/fd/zold(x)03", "zold(x)04", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(InPieceSet(c.name, c.first), c.in) << c.first << " / " << c.name;
    }
}

TEST(PathParts, FolderAndFileName) {
    const struct {
        const char* path;
        const char* folder;
        const char* name;
    } cases[] = {
        {"/home/u/a.txt", "/home/u/", "a.txt"},
        {"/home/u/", "/home/u/", ""},
        {"a.txt", "", "a.txt"},
        {"/a.txt", "/", "a.txt"},
        {"C:a.txt", "", "C:a.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderPart(c.path), c.folder) << c.path;
        EXPECT_EQ(FileNamePart(c.path), c.name) << c.path;
    }
}

TEST(PathParts, TrailingSlashAndExtension) {
    EXPECT_EQ(WithTrailingBackslash(""), "");
    EXPECT_EQ(WithTrailingBackslash("/out/"), "/out/");
    EXPECT_EQ(WithTrailingBackslash("/out"), "/out/");
    const std::pair<const char*, const char*> cases[] = {
        {"/a/b.LZH", ".lzh"}, {"/a/archive.lzh.bak", ".bak"}, {"/a.b/file", ""},
        {"/a/file", ""},      {"/a/.profile", ".profile"},    {"x.Lzh", ".lzh"},
    };
    for (const auto& [path, extension] : cases) {
        EXPECT_EQ(ExtensionLower(path), extension) << path;
    }
}

TEST(SizeText, GroupsOfThreeDigits) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0"},
        {999, "999"},
        {1000, "1,000"},
        {1457664, "1,457,664"},
        {5368709120, "5,368,709,120"},
        {-1234, "-1,234"},
    };
    for (const auto& [n, text] : cases) {
        EXPECT_EQ(GroupedNumber(n), text) << n;
    }
}

TEST(SizeText, FileLengthTextOfAFileAndOfNothing) {
    test::ScratchDir dir;
    test::MakeSparse(dir / "piece", 1457664);
    EXPECT_EQ(FileLengthText(dir / "piece"), "File Len : 1,457,664byte");
    EXPECT_EQ(FileLengthText(dir / "missing"), "File Len : 0byte");
}

TEST(ListOrder, LettersWithoutCaseThenBytes) {
    std::vector<std::string> names = {
        "b", "B", "a", "A", "_", "zold(x)030003.zol", "zold(x)030001.zol", "ZOLD(x)030002.zol"};
    std::stable_sort(names.begin(), names.end(), ListOrderLess);
    const std::vector<std::string> expected = {
        "_", "A", "a", "B", "b", "zold(x)030001.zol", "ZOLD(x)030002.zol", "zold(x)030003.zol"};
    EXPECT_EQ(names, expected);
    EXPECT_FALSE(ListOrderLess("a", "a"));
    EXPECT_TRUE(ListOrderLess("a", "ab"));
    EXPECT_TRUE(ListOrderLess("z", "\xe3\x81\x82"));
}

} // namespace
} // namespace zol
