#include "report.h"

#include <cstring>

namespace unlha {

void Report::CopyTo(char* buffer, std::uint32_t size) const {
    if (buffer == nullptr || size == 0) {
        return;
    }
    std::size_t length = text_.size() < size - 1 ? text_.size() : size - 1;
    // Never cut a UTF-8 character in two.
    while (length > 0 && length < text_.size() &&
           (static_cast<unsigned char>(text_[length]) & 0xC0) == 0x80) {
        --length;
    }
    std::memcpy(buffer, text_.data(), length);
    buffer[length] = '\0';
}

} // namespace unlha
