#include "cli/MemberTable.h"

#include "engine/TextFormat.h"

#include <algorithm>
#include <array>

namespace zol::cli {

namespace {

constexpr std::size_t Columns = 7;
// Columns of sizes are right-aligned; the method is too, as in the viewer.
constexpr std::array<bool, Columns> RightAligned{false, true, false, false, false, true, true};
constexpr std::array<const char*, Columns> Headers{"Name",      "Original", "Date",  "Time",
                                                   "Attribute", "Method",   "Packed"};

bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
}

// Width in terminal columns of UTF-8 text: East Asian wide characters take two.
std::size_t displayWidth(const std::string& text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        width += isWide(c) ? 2 : 1;
        i += length;
    }
    return width;
}

} // namespace

std::string FormatMemberTable(const std::vector<MemberRow>& rows) {
    std::vector<std::array<std::string, Columns>> cells;
    cells.push_back(
        {Headers[0], Headers[1], Headers[2], Headers[3], Headers[4], Headers[5], Headers[6]});
    for (const auto& row : rows) {
        cells.push_back({row.name, GroupedNumber(row.originalSize), DateText(row.date),
                         TimeText(row.time), row.attribute, row.method,
                         GroupedNumber(row.compressedSize)});
    }
    std::array<std::size_t, Columns> widths{};
    for (const auto& line : cells) {
        for (std::size_t c = 0; c < Columns; ++c) {
            widths[c] = std::max(widths[c], displayWidth(line[c]));
        }
    }
    std::string table;
    for (const auto& line : cells) {
        std::string text;
        for (std::size_t c = 0; c < Columns; ++c) {
            const std::string pad(widths[c] - displayWidth(line[c]), ' ');
            if (c > 0) {
                text += "  ";
            }
            text += RightAligned[c] ? pad + line[c] : line[c] + pad;
        }
        while (!text.empty() && text.back() == ' ') {
            text.pop_back();
        }
        table += text + "\n";
    }
    return table;
}

} // namespace zol::cli
