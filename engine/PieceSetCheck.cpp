#include "engine/PieceSetCheck.h"

#include "engine/Paths.h"
#include "engine/PieceName.h"

#include <map>

namespace zol {

std::vector<SetGap> FindSetGaps(const std::vector<std::string>& paths) {
    using Kind = SetGap::Kind;
    std::vector<SetGap> gaps;
    std::optional<PieceFields> first;
    std::string firstPath;
    std::map<int, std::string> byNumber;
    for (const auto& path : paths) {
        const auto fields = ReadPieceName(path);
        if (!fields) {
            gaps.push_back({Kind::NotAPiece, path});
            continue;
        }
        if (!first) {
            first = fields;
            firstPath = path;
            if (first->count == 0) {
                gaps.push_back({Kind::NoCount, path});
                return gaps;
            }
        }
        if (fields->setName != first->setName) {
            gaps.push_back({Kind::OtherSet, path, firstPath, fields->pieceNo, first->count});
        } else if (fields->pieceNo < 1 || fields->pieceNo > first->count) {
            gaps.push_back({Kind::OutOfRange, path, {}, fields->pieceNo, first->count});
        } else if (const auto [it, added] = byNumber.emplace(fields->pieceNo, path); !added) {
            gaps.push_back({Kind::Twice, path, it->second, fields->pieceNo, first->count});
        }
    }
    if (!first) {
        return gaps;
    }
    for (int k = 1; k <= first->count; ++k) {
        if (byNumber.count(k) == 0) {
            gaps.push_back({Kind::Missing,
                            FolderPart(firstPath) + first->setName + TwoCharField(k) + ".zol",
                            {},
                            k,
                            first->count});
        }
    }
    return gaps;
}

} // namespace zol
