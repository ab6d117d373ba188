#include "cli/SizeArg.h"

#include "engine/JobState.h"

#include <array>
#include <limits>
#include <utility>

namespace zol::cli {

namespace {

constexpr std::array<std::pair<const char*, std::int64_t>, 4> Presets{{
    {"1.44", piece::Size144},
    {"1.25", piece::Size125},
    {"0.95", piece::Size095},
    {"0.72", piece::Size072},
}};

std::int64_t suffixFactor(char c) {
    switch (c) {
    case 'K':
    case 'k':
        return std::int64_t{1} << 10;
    case 'M':
    case 'm':
        return std::int64_t{1} << 20;
    case 'G':
    case 'g':
        return std::int64_t{1} << 30;
    default:
        return 0;
    }
}

// Reads digits and an optional suffix from text at pos; nullopt on no digits or overflow.
std::optional<std::int64_t> readTerm(const std::string& text, std::size_t& pos) {
    constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
    const std::size_t start = pos;
    std::int64_t n = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        const int digit = text[pos] - '0';
        if (n > (max - digit) / 10) {
            return std::nullopt;
        }
        n = n * 10 + digit;
        ++pos;
    }
    if (pos == start) {
        return std::nullopt;
    }
    if (pos < text.size()) {
        if (const std::int64_t factor = suffixFactor(text[pos]); factor != 0) {
            if (n > max / factor) {
                return std::nullopt;
            }
            n *= factor;
            ++pos;
        }
    }
    return n;
}

} // namespace

std::optional<std::int64_t> ParsePieceSize(const std::string& text) {
    for (const auto& [name, size] : Presets) {
        if (text == name) {
            return size;
        }
    }
    std::size_t pos = 0;
    std::optional<std::int64_t> size = readTerm(text, pos);
    if (!size) {
        return std::nullopt;
    }
    if (pos < text.size() && text[pos] == '-') {
        ++pos;
        const std::optional<std::int64_t> less = readTerm(text, pos);
        if (!less) {
            return std::nullopt;
        }
        *size -= *less;
    }
    if (pos != text.size() || *size <= 0) {
        return std::nullopt;
    }
    return size;
}

} // namespace zol::cli
