#include "engine/JobHost.h"
#include "engine/Joiner.h"
#include "engine/ListOrder.h"
#include "engine/Media.h"
#include "engine/MessageBox.h"
#include "engine/Paths.h"
#include "engine/PieceName.h"
#include "engine/Texts.h"
#include "engine/TransferBuffer.h"
#include "platform/File.h"
#include "platform/FileError.h"
#include "platform/FileInfo.h"
#include "platform/FolderListing.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <set>

namespace zol {

namespace {

enum class DiskAnswer { Piece, Cancel };

// Waits for a disk in the drive holding a piece of the set not collected yet; name gets that
// piece's name. A disk without a piece of the set, an empty disk or none (the folder not on a
// removable disk) brings the not-a-piece prompt; a disk whose piece is already collected asks for
// another one.
DiskAnswer awaitPiece(JobHost& host, const std::string& folder, const std::string& firstPath,
                      const std::set<std::string>& collected, std::string& name) {
    for (;;) {
        // A disk not mounted (yet) leaves its mount point an ordinary folder of the fixed disk,
        // whatever lies in it is no piece from a floppy.
        std::vector<std::string> names;
        if (IsRemovableDrive(host, folder)) {
            names = FolderEntries(folder);
        }
        std::sort(names.begin(), names.end(), ListOrderLess);
        bool seenCollected = false;
        for (const auto& entry : names) {
            if (!InPieceSet(entry, firstPath) || !IsRegularFile(folder + entry)) {
                continue;
            }
            if (collected.count(entry) == 0) {
                name = entry;
                return DiskAnswer::Piece;
            }
            seenCollected = true;
        }
        const char* text =
            seenCollected ? "このＦＤの分割ファイルは、すでに読込みました。\n"
                            "次の分割されたＦＤに入替えてください。"
                          : "分割されたＦＤではありません。\n分割されたＦＤを準備してください。";
        if (host.messageBox(text, MsgCaption, mb::OkCancel) != mb::IdOk) {
            return DiskAnswer::Cancel;
        }
    }
}

// A gathering the user ends leaves an empty list, so that nothing is joined: a join of part of
// the set would write a file without its missing pieces under the original's name (and the
// extraction of join and extract overwrite files with the members it happened to hold), and
// the Cancel would cut even a whole set's join after its first block.
void dropCopies(JobHost& host) {
    for (const std::string& copy : host.inputs()) {
        std::remove(copy.c_str());
    }
    host.clearInputs();
}

} // namespace

void GatherFloppyPieces(JobHost& host, const std::string& firstPath) {
    if (!host.joinPiecesChosen()) {
        host.messageBox("分割されたＦＤの結合のみ行います。分割されたＦＤを準備してください。",
                        MsgCaption, mb::Ok);
        return;
    }
    const int total = PieceCountFromName(firstPath);
    // Every disk of the set holds its piece where the first one lay.
    const std::string folder = FolderPart(firstPath);
    host.messageBox("分割されたＦＤの結合を行います。分割されたＦＤを準備してください。順番は"
                    "どこからでも結構です。",
                    MsgCaption, mb::Ok);
    host.clearInputs();
    std::set<std::string> collected;
    for (int i = 1; i <= total; ++i) {
        std::string name;
        if (awaitPiece(host, folder, firstPath, collected, name) == DiskAnswer::Cancel) {
            dropCopies(host);
            return;
        }
        const std::string source = folder + name;
        const std::int64_t size = FileSizeByName(source);
        const std::string temp = host.tempFolder();
        if (temp.empty()) {
            throw FileError(FileErrorCode(ENOENT));
        }
        const std::string copy = temp + name;
        File in = File::openRead(source);
        File out = File::create(copy);
        MoveBytes(host, in, out, size, AfterBlock::Continue);
        in.close();
        out.close();
        // The joined file takes its time from the pieces, which carry the original's.
        SetFileDateByName(copy, FileDateByName(source));
        collected.insert(name);
        host.addInput(copy);
        if (host.job().CancelFlag == 1) {
            dropCopies(host);
            return;
        }
        if (i != total) {
            host.messageBox("次の分割されたＦＤに入替えてください。", MsgCaption, mb::Ok);
        }
    }
}

} // namespace zol
