#include "name_encoding.h"

#include <cerrno>
#include <iconv.h>
#include <vector>

namespace unlha {
namespace {

std::optional<std::string> Convert(const char* to, const char* from, const std::string& text) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::vector<char> out(text.size() * 4 + 8);
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    const bool flushed = iconv(cd, nullptr, nullptr, &outPtr, &outLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1) || inLeft != 0 || !flushed) {
        return std::nullopt;
    }
    return std::string(out.data(), outPtr);
}

} // namespace

bool IsAscii(const std::string& text) {
    for (unsigned char c : text) {
        if (c >= 0x80) {
            return false;
        }
    }
    return true;
}

bool IsValidUtf8(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int extra;
        std::uint32_t code;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= text.size()) {
            return false;
        }
        for (int k = 1; k <= extra; ++k) {
            const unsigned char t = static_cast<unsigned char>(text[i + k]);
            if ((t & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (t & 0x3F);
        }
        const std::uint32_t minimum = extra == 1 ? 0x80 : extra == 2 ? 0x800 : 0x10000;
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += extra + 1;
    }
    return true;
}

std::optional<std::string> Utf8ToShiftJis(const std::string& utf8) {
    auto sjis = Convert("CP932", "UTF-8", utf8);
    if (!sjis) {
        return std::nullopt;
    }
    // Some characters (the wave dash, for one) map to a code that reads back as another.
    auto back = Convert("UTF-8", "CP932", *sjis);
    if (!back || *back != utf8) {
        return std::nullopt;
    }
    return sjis;
}

std::optional<std::string> ShiftJisToUtf8(const std::string& sjis) {
    return Convert("UTF-8", "CP932", sjis);
}

std::string StoredNameToUtf8(const std::string& stored, NameHint hint) {
    if (IsAscii(stored)) {
        return stored;
    }
    if (hint == NameHint::ShiftJis || hint == NameHint::Windows) {
        if (auto utf8 = ShiftJisToUtf8(stored)) {
            return *utf8;
        }
    }
    if (hint != NameHint::ShiftJis && IsValidUtf8(stored)) {
        return stored;
    }
    if (auto utf8 = ShiftJisToUtf8(stored)) {
        return *utf8;
    }
    if (IsValidUtf8(stored)) {
        return stored;
    }
    std::string cleaned;
    for (unsigned char c : stored) {
        cleaned += c < 0x80 ? static_cast<char>(c) : '_';
    }
    return cleaned;
}

} // namespace unlha
