#include "member_info.h"

#include "dos_time.h"

#include <cstring>

namespace unlha {

std::uint16_t Ratio(std::uint64_t compressed, std::uint64_t original) {
    if (original == 0) {
        return 0;
    }
    const long double ratio = static_cast<long double>(compressed) * 1000.0L / original;
    return ratio > 65535.0L ? 65535 : static_cast<std::uint16_t>(ratio);
}

std::string AttributeText(const MemberHeader& h) {
    std::string text = "------";
    if (h.IsDirectory() || (h.dosAttribute & 0x10)) {
        text[0] = 'd';
    }
    if (h.dosAttribute & 0x02) {
        text[1] = 'h';
    }
    if (h.dosAttribute & 0x04) {
        text[2] = 's';
    }
    if (h.dosAttribute & 0x20) {
        text[3] = 'a';
    }
    if (h.unixMode && (*h.unixMode & 0111)) {
        text[4] = 'x';
    }
    const bool readOnly = h.unixMode ? (*h.unixMode & 0200) == 0 : (h.dosAttribute & 0x01) != 0;
    text[5] = readOnly ? 'r' : 'w';
    return text;
}

void FillInfo(const MemberHeader& h, INDIVIDUALINFO& info) {
    std::memset(&info, 0, sizeof info);
    info.dwOriginalSize = static_cast<std::uint32_t>(h.originalSize);
    info.dwCompressedSize = static_cast<std::uint32_t>(h.compressedSize);
    info.dwCRC = h.crc;
    info.uFlag = 0;
    info.uOSType = h.osId;
    info.wRatio = Ratio(h.compressedSize, h.originalSize);
    const std::uint32_t dos = UnixToDos(h.mtime);
    info.wDate = static_cast<std::uint16_t>(dos >> 16);
    info.wTime = static_cast<std::uint16_t>(dos);
    std::size_t length = std::min(h.path.size(), sizeof info.szFileName - 1);
    while (length > 0 && length < h.path.size() &&
           (static_cast<unsigned char>(h.path[length]) & 0xC0) == 0x80) {
        --length; // keep whole UTF-8 characters
    }
    std::memcpy(info.szFileName, h.path.data(), length);
    const std::string attribute = AttributeText(h);
    std::memcpy(info.szAttribute, attribute.c_str(), attribute.size() + 1);
    std::memcpy(info.szMode, h.method.c_str(), std::min<std::size_t>(h.method.size(), 7));
}

} // namespace unlha
