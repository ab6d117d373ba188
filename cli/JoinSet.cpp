#include "cli/JoinSet.h"

#include "engine/ListOrder.h"
#include "engine/Paths.h"
#include "engine/PieceName.h"
#include "engine/PieceSetCheck.h"

#include <algorithm>
#include <dirent.h>
#include <map>
#include <memory>

namespace zol::cli {

namespace {

std::string twoDigits(int n) {
    return TwoCharField(n);
}

std::string gapCause(const SetGap& gap) {
    switch (gap.kind) {
    case SetGap::Kind::NotAPiece:
        return "not a piece of a split set (zold(NAME)NNFFKK.zol)";
    case SetGap::Kind::NoCount:
        return "piece count 00 in the name";
    case SetGap::Kind::OtherSet:
        return "belongs to another set than " + gap.other;
    case SetGap::Kind::OutOfRange:
        return "piece number " + twoDigits(gap.pieceNo) + " is outside the set's 01 to " +
               twoDigits(gap.count);
    case SetGap::Kind::Twice:
        return "piece " + twoDigits(gap.pieceNo) + " given twice (also " + gap.other + ")";
    case SetGap::Kind::Missing:
        break;
    }
    return "missing";
}

} // namespace

std::vector<SetProblem> CheckSet(const std::vector<PieceFile>& pieces) {
    std::vector<std::string> paths;
    for (const auto& file : pieces) {
        paths.push_back(file.path);
    }
    std::vector<SetProblem> problems;
    for (const SetGap& gap : FindSetGaps(paths)) {
        problems.push_back({gap.path, gapCause(gap)});
    }
    if (!problems.empty() || pieces.empty()) {
        return problems;
    }
    // A whole set: each piece number once. A piece cut short stands out against the longest
    // of the pieces before the last.
    std::map<int, const PieceFile*> byNumber;
    for (const auto& file : pieces) {
        byNumber.emplace(ReadPieceName(file.path)->pieceNo, &file);
    }
    const int count = static_cast<int>(byNumber.size());
    std::int64_t pieceSize = 0;
    for (const auto& [k, file] : byNumber) {
        if (k < count) {
            pieceSize = std::max(pieceSize, file->size);
        }
    }
    for (const auto& [k, file] : byNumber) {
        const bool last = k == count;
        if (!last && file->size != pieceSize) {
            problems.push_back({file->path, "short piece: " + std::to_string(file->size) +
                                                " bytes, the others have " +
                                                std::to_string(pieceSize)});
        } else if (last && count > 1 && (file->size == 0 || file->size > pieceSize)) {
            problems.push_back({file->path, "last piece of " + std::to_string(file->size) +
                                                " bytes, the others have " +
                                                std::to_string(pieceSize)});
        }
    }
    return problems;
}

std::vector<std::string> FindSetBeside(const std::string& path) {
    std::vector<std::string> found;
    const auto given = ReadPieceName(path);
    if (!given) {
        return found;
    }
    const std::string folder = FolderPart(path);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.empty() ? "." : folder.c_str()),
                                                  closedir);
    if (!dir) {
        return found;
    }
    while (const dirent* entry = readdir(dir.get())) {
        const auto fields = ReadPieceName(entry->d_name);
        if (fields && fields->setName == given->setName) {
            found.push_back(folder + entry->d_name);
        }
    }
    return found;
}

std::vector<PieceFile> InPieceOrder(std::vector<PieceFile> pieces) {
    std::stable_sort(pieces.begin(), pieces.end(), [](const PieceFile& a, const PieceFile& b) {
        return ListOrderLess(FileNamePart(a.path), FileNamePart(b.path));
    });
    return pieces;
}

} // namespace zol::cli
