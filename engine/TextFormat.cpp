#include "engine/TextFormat.h"

#include "platform/FileInfo.h"

namespace zol {

std::string GroupedNumber(std::int64_t n) {
    const std::string digits = std::to_string(n);
    const std::size_t sign = n < 0 ? 1 : 0;
    std::string out = digits.substr(0, sign);
    for (std::size_t i = sign; i < digits.size(); ++i) {
        if (i > sign && (digits.size() - i) % 3 == 0) {
            out += ',';
        }
        out += digits[i];
    }
    return out;
}

std::string FileLengthText(const std::string& path) {
    return "File Len : " + GroupedNumber(FileSizeByName(path)) + "byte";
}

} // namespace zol
