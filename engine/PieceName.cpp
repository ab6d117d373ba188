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

std::size_t PieceFieldsAt(const std::string& fileName) {
    constexpr std::size_t tail = 6 + 4; // "NNFFKK.zol"
    if (fileName.size() < 5 + 1 + tail || !IsPieceName(fileName) || fileName[4] != '(') {
        return std::string::npos;
    }
    const std::size_t fields = fileName.size() - tail;
    std::string extension = fileName.substr(fileName.size() - 4);
    for (char& c : extension) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    for (std::size_t i = fields; i < fields + 6; ++i) {
        if (fileName[i] < '0' || fileName[i] > '9') {
            return std::string::npos;
        }
    }
    return fileName[fields - 1] == ')' && extension == ".zol" ? fields : std::string::npos;
}

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

int PieceCountFromName(const std::string& text) {
    // Only the file name counts: a folder may hold parentheses too.
    const std::string name = FileNamePart(text);
    const std::size_t fields = PieceFieldsAt(name);
    const std::size_t paren = fields != std::string::npos ? fields - 1 : name.find(')');
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
    if (const std::size_t fields = PieceFieldsAt(fileName); fields != std::string::npos) {
        return fileName.substr(5, fields - 6);
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
    if (const std::size_t fields = PieceFieldsAt(name); fields != std::string::npos) {
        return name.substr(0, fields + 4);
    }
    const auto paren = name.find(')');
    return paren == std::string::npos ? name : name.substr(0, paren + 4);
}

bool InPieceSet(const std::string& fileName, const std::string& firstPath) {
    const auto first = ReadPieceName(firstPath);
    if (!first) {
        return fileName.find(PieceSetKey(firstPath)) != std::string::npos;
    }
    const auto piece = ReadPieceName(fileName);
    return piece && piece->setName == first->setName;
}

} // namespace zol
