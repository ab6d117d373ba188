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

int PieceCountFromName(const std::string& text) {
    const auto paren = text.find(')');
    const std::string digits = text.substr(paren == std::string::npos ? 0 : paren + 1, 2);
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
    std::string name;
    bool collecting = false;
    for (const char c : text) {
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
