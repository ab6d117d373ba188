#pragma once

#include <string>
#include <vector>

namespace zol {

// One thing that keeps listed pieces from being one whole set.
struct SetGap {
    enum class Kind {
        NotAPiece,  // not a whole piece name zold(NAME)NNFFKK.zol
        NoCount,    // the first piece's count field is 00
        OtherSet,   // another zold(NAME)NNFF than the first piece's
        OutOfRange, // a piece number outside 01 to NN
        Twice,      // a piece number listed before
        Missing,    // a piece number not listed
    };
    Kind kind;
    std::string path;  // the listed file; for Missing, the missing piece's path beside the first
    std::string other; // OtherSet: the first piece; Twice: the file listed first with the number
    int pieceNo = 0;
    int count = 0; // the set's piece count, from the first piece
};

// Every gap of the listed pieces in list order, then the missing pieces in piece order; empty
// when they are one whole set (in any order). The set is that of the first piece name.
std::vector<SetGap> FindSetGaps(const std::vector<std::string>& paths);

} // namespace zol
