#include "engine/InputAnalysis.h"

#include "engine/JobHost.h"
#include "engine/Paths.h"
#include "engine/PieceName.h"
#include "platform/FileInfo.h"

namespace zol {

namespace {

// The name without its last four characters (UTF-8 sequences count as one), where a
// three-letter extension and its dot are assumed.
std::string withoutLastFourCharacters(const std::string& name) {
    std::size_t end = name.size();
    for (int cut = 0; cut < 4 && end > 0; ++cut) {
        do {
            --end;
        } while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80);
    }
    return name.substr(0, end);
}

void setAdvice(JobHost& host, const std::string& line2, const std::string& line3) {
    host.setMemo(2, line2);
    host.setMemo(3, line3);
    host.setMemo(4, "");
}

void adviseCompress(JobHost& host, const std::string& path) {
    if (ExtensionLower(path) == ".lzh") {
        setAdvice(host, "このファイルは圧縮処理が必要なファイルではありません。",
                  "拡張子が「ＬＺＨ」のファイルは、圧縮されているファイルです。");
        return;
    }
    host.setOutputText(host.job().OutputDir + withoutLastFourCharacters(FileNamePart(path)));
}

void adviseSplit(JobHost& host, const std::string& path) {
    const std::int64_t size = FileSizeByName(path);
    const std::int64_t pieceSize = host.job().PieceSize;
    if (size <= pieceSize || pieceSize <= 0) {
        setAdvice(host, "このファイルは分割処理が不必要と思われます。",
                  "このファイルは通常のコピー処理が行われます。");
        return;
    }
    const std::int64_t count = (size + pieceSize - 1) / pieceSize;
    // Start refuses such a file, so asking for the disks would only mislead.
    if (count > MaxPieces) {
        setAdvice(host, "このファイルは " + std::to_string(count) + "個に分割することになります。",
                  "分割できるのは99個までです。分割サイズを大きくしてください。");
        return;
    }
    host.setMemo(2, "このファイルの分割の為に、 " + std::to_string(count) +
                        "枚のＦＤを用意してください。");
}

void adviseJoin(JobHost& host, const std::string& path) {
    if (!host.joinPiecesChosen()) {
        return;
    }
    if (IsPieceName(path)) {
        setAdvice(host, "ファイルの中の「zold(xxxxxx.xxx)xxxxxx.zol」をクリックして",
                  "ファイル名を取出せます。");
    } else {
        setAdvice(host, "このファイルは結合処理に必要なファイルではありません。",
                  "ファイルの中の「zold(xxxxxx.xxx)xxxxxx.zol」が結合のファイルです。");
    }
}

void adviseExtract(JobHost& host, const std::string& path) {
    if (ExtensionLower(path) != ".lzh") {
        setAdvice(host, "このファイルは解凍するファイルではありません。",
                  "拡張子が「ＬＺＨ」のファイルが、解凍するファイルです。");
    }
}

} // namespace

void AnalyseInput(JobHost& host, const std::string& path) {
    switch (host.job().ProcMode) {
    case mode::Compress:
        adviseCompress(host, path);
        break;
    case mode::Split:
        adviseSplit(host, path);
        break;
    case mode::Join:
        adviseJoin(host, path);
        break;
    case mode::Extract:
        adviseExtract(host, path);
        break;
    default:
        break;
    }
}

} // namespace zol
