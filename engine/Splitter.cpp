#include "engine/Splitter.h"

#include "engine/JobHost.h"
#include "engine/Media.h"
#include "engine/MessageBox.h"
#include "engine/Paths.h"
#include "engine/PieceName.h"
#include "engine/SameFile.h"
#include "engine/Texts.h"
#include "engine/TransferBuffer.h"
#include "platform/File.h"
#include "platform/FileInfo.h"

#include <algorithm>
#include <vector>

namespace zol {

namespace {

// Beyond 99 the two-character fields wrap: the set could no longer be counted or ordered.
constexpr std::int64_t MaxPieces = 99;

std::int64_t pieceCount(std::int64_t size, std::int64_t pieceSize) {
    return (size + pieceSize - 1) / pieceSize;
}

// Refuses the run, before anything is written, when an input would need more than 99 pieces.
bool piecesFitNames(JobHost& host, const std::vector<std::string>& inputs, std::int64_t pieceSize) {
    for (const auto& path : inputs) {
        const std::int64_t count = pieceCount(FileSizeByName(path), pieceSize);
        if (count > MaxPieces) {
            host.messageBox("「" + FileNamePart(path) + "」を分割すると " + std::to_string(count) +
                                "個になります。\n分割できるのは99個までです。分割サイズを大きく"
                                "するか、ファイルを小さくしてください。\n何も書込んでいません。",
                            MsgCaption, mb::Ok | mb::IconError);
            return false;
        }
    }
    return true;
}

// A plain copy of an input smaller than a piece. Returns false when Cancel ends the run.
bool copyWhole(JobHost& host, const std::string& path, File& in, std::int64_t size,
               std::int32_t time, const std::string& folder) {
    PrepareFloppy(host, host.outputText());
    const std::string target = folder + FileNamePart(path);
    // Splitting into the input's own folder: the input is already where its copy would go.
    if (IsSameFile(target, path)) {
        return true;
    }
    File out = File::create(target);
    host.setProgressMax(1);
    host.stepProgress();
    MoveBytes(host, in, out, size, AfterBlock::Continue);
    in.close();
    out.close();
    SetFileDateByName(target, time);
    return host.job().CancelFlag != 1;
}

// Cuts one input into its set. Returns false when Cancel or a refusal ends the run.
bool cutIntoPieces(JobHost& host, const std::string& path, File& in, std::int64_t size,
                   std::int32_t time, const std::string& folder) {
    JobState& job = host.job();
    const std::int64_t pieceSize = job.PieceSize;
    const std::int64_t count = pieceCount(size, pieceSize);
    host.setProgressMax(count);
    for (std::int64_t k = 1; k <= count; ++k) {
        PrepareFloppy(host, host.outputText());
        const std::int64_t length = std::min(pieceSize, size - (k - 1) * pieceSize);
        const std::string piecePath = PieceName(folder, FileNamePart(path), count, job.CurItem, k);
        if (IsSameFile(piecePath, path)) {
            host.messageBox("分割先のファイルが分割するファイルと同じです。\n" + piecePath,
                            MsgCaption, mb::Ok | mb::IconError);
            return false;
        }
        File out = File::create(piecePath);
        host.stepProgress();
        MoveBytes(host, in, out, length, AfterBlock::Continue);
        out.close();
        SetFileDateByName(piecePath, time);
        if (job.CancelFlag == 1) {
            return false;
        }
        if (k < count && IsRemovableDrive(host, host.outputText())) {
            host.messageBox("つぎの新しいＦＤに入替えてください。", MsgCaption, mb::Ok);
        }
    }
    return true;
}

} // namespace

void SplitFiles(JobHost& host) {
    JobState& job = host.job();
    const std::vector<std::string> inputs = host.inputs();
    if (job.PieceSize <= 0) {
        host.messageBox("分割サイズが指定されていません。", MsgCaption, mb::Ok | mb::IconError);
        return;
    }
    if (!piecesFitNames(host, inputs, job.PieceSize)) {
        return;
    }
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        job.CurItem = static_cast<std::int32_t>(i);
        const std::string& path = inputs[i];
        const std::int64_t size = FileSizeByName(path);
        const std::int32_t time = FileDateByName(path);
        File in = File::openRead(path);
        const std::string folder = host.outputText();
        host.showProgress(true);
        host.setProgressPos(0);
        const bool goOn = size < job.PieceSize ? copyWhole(host, path, in, size, time, folder)
                                               : cutIntoPieces(host, path, in, size, time, folder);
        if (!goOn) {
            break;
        }
    }
    host.showProgress(false);
}

} // namespace zol
