#pragma once

#include "engine/PieceName.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zol::cli {

struct PieceFile {
    std::string path;
    std::int64_t size = 0;
};

// One thing wrong with a set: the file it concerns and why.
struct SetProblem {
    std::string path;
    std::string cause;
};

// Checks that pieces form one whole set: every file a piece of the set of the first one,
// pieces 1 to NN each exactly once, every piece but the last as long as piece 1, the last
// one not empty and not longer. A missing piece is named by the path it would have beside
// the first piece. Empty when the set is whole.
std::vector<SetProblem> CheckSet(const std::vector<PieceFile>& pieces);

// The pieces of path's set lying in its folder: same file name up to the piece-number field.
std::vector<std::string> FindSetBeside(const std::string& path);

// The pieces in piece order (their file names in the sorted list's order).
std::vector<PieceFile> InPieceOrder(std::vector<PieceFile> pieces);

} // namespace zol::cli
