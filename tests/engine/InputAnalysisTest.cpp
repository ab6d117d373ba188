#include "engine/InputAnalysis.h"

#include "FakeHost.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace zol {
namespace {

using test::FakeHost;
using test::ScratchDir;

constexpr const char* Kept = "earlier text";

struct Row {
    const char* name;
    std::int32_t mode;
    bool joinPieces;
    std::int64_t size;
    const char* line2;
    const char* line3;
    const char* line4;
};

const Row Rows[] = {
    {"a.lzh", mode::Compress, true, 10, "このファイルは圧縮処理が必要なファイルではありません。",
     "拡張子が「ＬＺＨ」のファイルは、圧縮されているファイルです。", ""},
    {"A.LZH", mode::Compress, true, 10, "このファイルは圧縮処理が必要なファイルではありません。",
     "拡張子が「ＬＺＨ」のファイルは、圧縮されているファイルです。", ""},
    {"report.txt", mode::Compress, true, 10, Kept, Kept, Kept},
    {"small.bin", mode::Split, true, piece::Size144, "このファイルは分割処理が不必要と思われます。",
     "このファイルは通常のコピー処理が行われます。", ""},
    {"big.bin", mode::Split, true, 3000000,
     "このファイルの分割の為に、 3枚のＦＤを用意してください。", Kept, Kept},
    {"edge.bin", mode::Split, true, piece::Size144 + 1,
     "このファイルの分割の為に、 2枚のＦＤを用意してください。", Kept, Kept},
    {"most.bin", mode::Split, true, 99 * piece::Size144,
     "このファイルの分割の為に、 99枚のＦＤを用意してください。", Kept, Kept},
    {"over.bin", mode::Split, true, 99 * piece::Size144 + 1,
     "このファイルは 100個に分割することになります。",
     "分割できるのは99個までです。分割サイズを大きくしてください。", ""},
    {"huge.bin", mode::Split, true, 3LL * 1024 * 1024 * 1024,
     "このファイルは 2210個に分割することになります。",
     "分割できるのは99個までです。分割サイズを大きくしてください。", ""},
    {"zold(x.txt)020001.zol", mode::Join, true, 10,
     "ファイルの中の「zold(xxxxxx.xxx)xxxxxx.zol」をクリックして", "ファイル名を取出せます。", ""},
    {"ZOLD(x.txt)020001.ZOL", mode::Join, true, 10,
     "ファイルの中の「zold(xxxxxx.xxx)xxxxxx.zol」をクリックして", "ファイル名を取出せます。", ""},
    {"other.txt", mode::Join, true, 10, "このファイルは結合処理に必要なファイルではありません。",
     "ファイルの中の「zold(xxxxxx.xxx)xxxxxx.zol」が結合のファイルです。", ""},
    {"other.txt", mode::Join, false, 10, Kept, Kept, Kept},
    {"a.txt", mode::Extract, true, 10, "このファイルは解凍するファイルではありません。",
     "拡張子が「ＬＺＨ」のファイルが、解凍するファイルです。", ""},
    {"archive.lzh.bak", mode::Extract, true, 10, "このファイルは解凍するファイルではありません。",
     "拡張子が「ＬＺＨ」のファイルが、解凍するファイルです。", ""},
    {"a.LZH", mode::Extract, true, 10, Kept, Kept, Kept},
    {"a.txt", mode::CompressAndSplit, true, 3000000, Kept, Kept, Kept},
    {"a.txt", mode::JoinAndExtract, true, 10, Kept, Kept, Kept},
    {"a.txt", mode::None, true, 10, Kept, Kept, Kept},
};

TEST(AnalyseInput, EveryRowOfTheAdviceTable) {
    ScratchDir dir;
    for (const Row& row : Rows) {
        FakeHost host;
        host.state.ProcMode = row.mode;
        host.state.PieceSize = piece::Size144;
        host.joinPieces = row.joinPieces;
        host.output = "untouched";
        for (int line = 1; line <= 4; ++line) {
            host.memoLines[line] = Kept;
        }
        test::MakeSparse(dir / row.name, row.size);
        AnalyseInput(host, dir / row.name);
        EXPECT_EQ(host.memoLines[1], Kept) << row.name;
        EXPECT_EQ(host.memoLines[2], row.line2) << row.name << " mode " << row.mode;
        EXPECT_EQ(host.memoLines[3], row.line3) << row.name << " mode " << row.mode;
        EXPECT_EQ(host.memoLines[4], row.line4) << row.name << " mode " << row.mode;
        if (row.mode != mode::Compress || std::string(row.name) != "report.txt") {
            EXPECT_EQ(host.output, "untouched") << row.name;
        }
    }
}

TEST(AnalyseInput, CompressProposesTheArchiveNameInTheOutputFolder) {
    const std::pair<const char*, const char*> cases[] = {
        {"/data/report.txt", "/out/report"},
        {"/data/a.c", "/out/"},
        {"/data/abcd", "/out/"},
        {"/data/データ.txt", "/out/データ"},
        {"/data/報告書", "/out/"},
        {"/data/報告書です", "/out/報"},
    };
    for (const auto& [path, proposed] : cases) {
        FakeHost host;
        host.state.ProcMode = mode::Compress;
        host.state.OutputDir = "/out/";
        AnalyseInput(host, path);
        EXPECT_EQ(host.output, proposed) << path;
    }
}

TEST(AnalyseInput, SizeChangeRewritesOnlyTheCountLine) {
    ScratchDir dir;
    test::MakeSparse(dir / "a.bin", 1000000);
    FakeHost host;
    host.state.ProcMode = mode::Split;
    host.state.PieceSize = piece::Size144;
    AnalyseInput(host, dir / "a.bin");
    host.state.PieceSize = piece::Size072;
    AnalyseInput(host, dir / "a.bin");
    EXPECT_EQ(host.memoLines[2], "このファイルの分割の為に、 2枚のＦＤを用意してください。");
    EXPECT_EQ(host.memoLines[3], "このファイルは通常のコピー処理が行われます。");
}

} // namespace
} // namespace zol
