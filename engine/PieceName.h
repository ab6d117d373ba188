#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace zol {

// Beyond 99 pieces the two-character fields wrap: a set could no longer be counted or ordered.
inline constexpr std::int64_t MaxPieces = 99;

// A two-character field of a piece name: the 2nd and 3rd digits of value + 100.
std::string TwoCharField(std::int64_t value);

// folderText + "zold(" + sourceName + ")" + count + fileNo + pieceNo + ".zol".
std::string PieceName(const std::string& folderText, const std::string& sourceName,
                      std::int64_t count, std::int64_t fileNo, std::int64_t pieceNo);

// A file is a piece when its file name starts with "zold", in any case.
bool IsPieceName(const std::string& path);

// Raised when the two characters after the first ")" are not a number; what() is
// "'xx' は整数ではありません".
class NotANumberError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where NN starts in a whole piece name zold(NAME)NNFFKK.zol (a file name; NAME may hold
// parentheses, the fields are found from the end), npos for any other name.
std::size_t PieceFieldsAt(const std::string& fileName);

// The fields of a whole piece name zold(NAME)NNFFKK.zol, read from its end so that a NAME
// holding parentheses is still read right.
struct PieceFields {
    std::string setName;    // "zold(NAME)NNFF": the same for every piece of one set
    std::string sourceName; // NAME
    int count = 0;          // NN
    int pieceNo = 0;        // KK
};

// nullopt when the file name (the text after the last "/") is not a whole piece name.
std::optional<PieceFields> ReadPieceName(const std::string& path);

// The count field of the file name: NN of a whole piece name zold(NAME)NNFFKK.zol, read from
// its end; of any other name the two characters after the first ")". A decimal number.
int PieceCountFromName(const std::string& text);

// NAME of a whole piece name, read from its end; of any other file name every character
// between a "(" and the next ")".
std::string PieceOriginalName(const std::string& text);

// What the pieces of path's set share: of a whole piece name zold(NAME)NNFFKK.zol, read from
// its end, zold(NAME)NNFF; of any other file name, the name through the first ")" and the
// three characters after it.
std::string PieceSetKey(const std::string& path);

// Whether fileName is a piece of firstPath's set: a whole piece name with the same
// zold(NAME)NNFF when firstPath is one (a copy such as "... - Copy.zol" or another file number
// is not), else any name that contains PieceSetKey(firstPath).
bool InPieceSet(const std::string& fileName, const std::string& firstPath);

} // namespace zol
