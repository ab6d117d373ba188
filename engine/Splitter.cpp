#include "engine/Splitter.h"

#include "engine/JobHost.h"
#include "engine/Media.h"
#include "engine/MessageBox.h"
#include "engine/Paths.h"
#include "engine/PieceName.h"
#include "engine/SameFile.h"
#include "engine/Texts.h"
#include "engine/TransferBuffer.h"
#include "platform/DriveService.h"
#include "platform/File.h"
#include "platform/FileInfo.h"

#include <algorithm>
#include <map>
#include <vector>

namespace zol {

namespace {

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

// One input-list entry in hand and what its outputs are checked against.
struct Entry {
    std::string path;
    std::int64_t size;
    std::int32_t time;
    std::string folder;              // the output text when the entry's turn began
    std::vector<std::string> others; // the other inputs of the run
};

// Writing over another input would destroy it before (or after) its own turn: the run stops
// with nothing written over it.
bool isAnotherInput(JobHost& host, const std::string& target, const Entry& entry) {
    if (!IsSameFileAsAny(target, entry.others)) {
        return false;
    }
    host.messageBox("分割先のファイルが、分割する別のファイルと同じです。\n別の分割先を"
                    "指定してください。\n" +
                        target,
                    MsgCaption, mb::Ok | mb::IconError);
    return true;
}

// Closes an output with the input's time. On a removable disk its data is written through
// first: the user takes the disk out at the next prompt or after the run, and a bad sector
// must be reported rather than leave a short piece behind.
void finishOutput(File& out, const std::string& target, std::int32_t time, bool removable) {
    SetFileDateByName(target, time);
    if (removable) {
        out.sync();
    }
    out.close();
}

// After a disk change the output must lie on a removable disk again: a disk not yet mounted
// leaves its mount point an ordinary folder of the fixed disk, and the next piece would land
// there unseen. Returns false when the user gives up.
bool awaitDisk(JobHost& host) {
    while (!IsRemovableDrive(host, host.outputText())) {
        const int answer = host.messageBox("分割先のＦＤが見つかりません。\n" + host.outputText() +
                                               "\nＦＤを入れて（マウントして）から OK を押して"
                                               "ください。",
                                           MsgCaption, mb::OkCancel | mb::IconError);
        if (answer != mb::IdOk) {
            return false;
        }
    }
    return true;
}

// Offers to format a disk that is not empty, unless an input of the run lies on it: formatting
// would erase that input (a file split from a stick onto the same stick).
void prepareDisk(JobHost& host, const Entry& entry) {
    // Only a removable output is ever offered; the inputs' drives are looked up only then.
    if (!IsRemovableDrive(host, host.outputText())) {
        return;
    }
    DriveService& drives = host.drives();
    const std::string disk = drives.driveRoot(host.outputText());
    const auto onDisk = [&](const std::string& input) { return drives.driveRoot(input) == disk; };
    if (!onDisk(entry.path) && std::none_of(entry.others.begin(), entry.others.end(), onDisk)) {
        PrepareFloppy(host, host.outputText());
    }
}

// A plain copy of an input smaller than a piece. Returns false when Cancel or a refusal ends
// the run.
bool copyWhole(JobHost& host, const Entry& entry, File& in) {
    prepareDisk(host, entry);
    const std::string target = entry.folder + FileNamePart(entry.path);
    // Splitting into the input's own folder: the input is already where its copy would go.
    if (IsSameFile(target, entry.path)) {
        return true;
    }
    if (isAnotherInput(host, target, entry)) {
        return false;
    }
    File out = File::create(target);
    host.setProgressMax(1);
    host.stepProgress();
    MoveBytes(host, in, out, entry.size, AfterBlock::Continue);
    in.close();
    finishOutput(out, target, entry.time, IsRemovableDrive(host, host.outputText()));
    return host.job().CancelFlag != 1;
}

// Cuts one input into its set. Returns false when Cancel or a refusal ends the run.
bool cutIntoPieces(JobHost& host, const Entry& entry, File& in) {
    JobState& job = host.job();
    const std::int64_t pieceSize = job.PieceSize;
    const std::int64_t count = pieceCount(entry.size, pieceSize);
    host.setProgressMax(count);
    for (std::int64_t k = 1; k <= count; ++k) {
        prepareDisk(host, entry);
        const std::int64_t length = std::min(pieceSize, entry.size - (k - 1) * pieceSize);
        const std::string piecePath =
            PieceName(entry.folder, FileNamePart(entry.path), count, job.CurItem, k);
        if (IsSameFile(piecePath, entry.path)) {
            host.messageBox("分割先のファイルが分割するファイルと同じです。\n" + piecePath,
                            MsgCaption, mb::Ok | mb::IconError);
            return false;
        }
        if (isAnotherInput(host, piecePath, entry)) {
            return false;
        }
        File out = File::create(piecePath);
        host.stepProgress();
        MoveBytes(host, in, out, length, AfterBlock::Continue);
        const bool removable = IsRemovableDrive(host, host.outputText());
        finishOutput(out, piecePath, entry.time, removable);
        if (job.CancelFlag == 1) {
            return false;
        }
        if (k < count && removable) {
            host.messageBox("つぎの新しいＦＤに入替えてください。", MsgCaption, mb::Ok);
            if (!awaitDisk(host)) {
                return false;
            }
        }
    }
    return true;
}

// Refuses the run, before anything is written, when two inputs would write a file of one name:
// two files of one name copied whole, or two sets of one name whose file numbers (list
// places, two characters) wrap to the same digits 100 places apart. The later would replace
// the earlier, and the run would still report success. One file listed twice writes the same
// bytes again, which is harmless.
bool outputNamesUnique(JobHost& host, const std::vector<std::string>& inputs,
                       std::int64_t pieceSize) {
    std::map<std::string, std::string> writer; // output name -> the input that writes it
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const std::string name = FileNamePart(inputs[i]);
        const std::int64_t size = FileSizeByName(inputs[i]);
        const bool whole = size < pieceSize;
        const std::int64_t count = whole ? 1 : pieceCount(size, pieceSize);
        for (std::int64_t k = 1; k <= count; ++k) {
            const std::string output =
                whole ? name : PieceName("", name, count, static_cast<std::int64_t>(i), k);
            const auto [it, added] = writer.emplace(output, inputs[i]);
            if (!added && !IsSameFile(it->second, inputs[i])) {
                host.messageBox("分割先に同じ名前のファイルが二つできます。\n" + output +
                                    "\n何も書込んでいません。",
                                MsgCaption, mb::Ok | mb::IconError);
                return false;
            }
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
    if (!piecesFitNames(host, inputs, job.PieceSize) ||
        !outputNamesUnique(host, inputs, job.PieceSize)) {
        return;
    }
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        job.CurItem = static_cast<std::int32_t>(i);
        const std::string& path = inputs[i];
        std::vector<std::string> others = inputs;
        others.erase(others.begin() + static_cast<std::ptrdiff_t>(i));
        const Entry entry{path, FileSizeByName(path), FileDateByName(path), host.outputText(),
                          std::move(others)};
        File in = File::openRead(path);
        host.showProgress(true);
        host.setProgressPos(0);
        const bool goOn = entry.size < job.PieceSize ? copyWhole(host, entry, in)
                                                     : cutIntoPieces(host, entry, in);
        if (!goOn) {
            break;
        }
    }
    host.showProgress(false);
}

} // namespace zol
