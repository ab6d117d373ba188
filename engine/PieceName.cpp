#include "engine/PieceName.h"

#include "engine/Paths.h"

#include <charconv>

namespace zol {

std::string TwoCharField(std::int64_t value) {
    return std::to_string(value + 100).substr(1, 2);
}

std::string PieceName(const std::string& folderText, const std::string& sourceName,
                      std::int64_t count, std::int64_t fileNo, std::int64_t pieceNo) {
    return folderText + "zold(" + sourceName + ")" + TwoCharField(count) + TwoCharField(fileNo) +
           TwoCharField(pieceNo) + ".zol";
}

bool IsPieceName(const std::string& path) {
    std::string head = FileNamePart(path).substr(0, 4);
    for (char& c : head) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return head == "zold";
}

namespace {

// In a whole piece name, zold(NAME)NNFFKK.zol, the position of the ")" before the fields,
// found from the end so that parentheses in NAME do not matter; npos for any other name.
std::size_t closingOfFields(const std::string& name) {
    constexpr std::size_t tail = 1 + 6 + 4; // ")NNFFKK.zol"
    if (name.size() < 5 + tail || !IsPieceName(name) || name[4] != '(') {
        return std::string::npos;
    }
    const std::size_t paren = name.size() - tail;
    std::string extension = name.substr(name.size() - 4);
    for (char& c : extension) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    for (std::size_t i = paren + 1; i < paren + 7; ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return std::string::npos;
        }
    }
    return name[paren] == ')' && extension == ".zol" ? paren : std::string::npos;
}

} // namespace

int PieceCountFromName(const std::string& text) {
    // Only the file name counts: a folder may hold parentheses too.
    const std::string name = FileNamePart(text);
    std::size_t paren = closingOfFields(name);
    if (paren == std::string::npos) {
        paren = name.find(')');
    }
    const std::string digits = name.substr(paren == std::string::npos ? 0 : paren + 1, 2);
    int value = 0;
    const char* first = digits.data();
    const char* last = first + digits.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (digits.empty() || error != std::errc() || end != last) {
        throw NotANumberError("'" + digits + "' は整数ではありません");
    }
    return value;
}

std::string PieceOriginalName(const std::string& text) {
    const std::string fileName = FileNamePart(text);
    const std::size_t paren = closingOfFields(fileName);
    if (paren != std::string::npos) {
        return fileName.substr(5, paren - 5);
    }
    std::string name;
    bool collecting = false;
    for (const char c : fileName) {
        if (collecting && c != ')') {
            name += c;
        }
        if (c == '(') {
            collecting = true;
        } else if (c == ')') {
            collecting = false;
        }
    }
    return name;
}

std::string PieceSetKey(const std::string& path) {
    const std::string name = FileNamePart(path);
    const auto paren = name.find(')');
    return paren == std::string::npos ? name : name.substr(0, paren + 4);
}

} // namespace zol
