#include "cli/JoinSet.h"

#include "engine/ListOrder.h"
#include "engine/Paths.h"
#include "engine/PieceName.h"

#include <algorithm>
#include <dirent.h>
#include <map>
#include <memory>

namespace zol::cli {

namespace {

std::string twoDigits(int n) {
    return TwoCharField(n);
}

} // namespace

std::optional<PieceFields> ReadPieceName(const std::string& path) {
    const std::string name = FileNamePart(path);
    const std::size_t fields = PieceFieldsAt(name);
    if (fields == std::string::npos) {
        return std::nullopt;
    }
    PieceFields piece;
    piece.setName = name.substr(0, fields + 4);
    piece.sourceName = name.substr(5, fields - 6);
    piece.count = std::stoi(name.substr(fields, 2));
    piece.pieceNo = std::stoi(name.substr(fields + 4, 2));
    return piece;
}

std::vector<SetProblem> CheckSet(const std::vector<PieceFile>& pieces) {
    std::vector<SetProblem> problems;
    std::optional<PieceFields> first;
    std::string firstPath;
    std::map<int, const PieceFile*> byNumber;
    for (const auto& file : pieces) {
        const auto fields = ReadPieceName(file.path);
        if (!fields) {
            problems.push_back({file.path, "not a piece of a split set (zold(NAME)NNFFKK.zol)"});
            continue;
        }
        if (!first) {
            first = fields;
            firstPath = file.path;
            if (first->count == 0) {
                problems.push_back({file.path, "piece count 00 in the name"});
                return problems;
            }
        }
        if (fields->setName != first->setName) {
            problems.push_back({file.path, "belongs to another set than " + firstPath});
        } else if (fields->pieceNo < 1 || fields->pieceNo > first->count) {
            problems.push_back({file.path, "piece number " + twoDigits(fields->pieceNo) +
                                               " is outside the set's 01 to " +
                                               twoDigits(first->count)});
        } else if (const auto [it, added] = byNumber.emplace(fields->pieceNo, &file); !added) {
            problems.push_back({file.path, "piece " + twoDigits(fields->pieceNo) +
                                               " given twice (also " + it->second->path + ")"});
        }
    }
    if (!first) {
        return problems;
    }
    const std::string folder = FolderPart(firstPath);
    for (int k = 1; k <= first->count; ++k) {
        if (byNumber.count(k) == 0) {
            problems.push_back({folder + first->setName + twoDigits(k) + ".zol", "missing"});
        }
    }
    if (!problems.empty()) {
        return problems;
    }
    // A piece cut short stands out against the longest of the pieces before the last.
    std::int64_t pieceSize = 0;
    for (const auto& [k, file] : byNumber) {
        if (k < first->count) {
            pieceSize = std::max(pieceSize, file->size);
        }
    }
    for (const auto& [k, file] : byNumber) {
        const bool last = k == first->count;
        if (!last && file->size != pieceSize) {
            problems.push_back({file->path, "short piece: " + std::to_string(file->size) +
                                                " bytes, the others have " +
                                                std::to_string(pieceSize)});
        } else if (last && first->count > 1 && (file->size == 0 || file->size > pieceSize)) {
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
