#include "member_header.h"

#include "crc16.h"
#include "dos_time.h"
#include "name_encoding.h"

#include <algorithm>

namespace unlha {
namespace {

constexpr std::uint64_t kFourGiB = 1ULL << 32;
constexpr int kMaxExtensions = 4096; // far more than any tool writes; stops crafted chains
constexpr std::uint32_t kCodePageShiftJis = 932;
constexpr std::uint32_t kCodePageUtf8 = 65001;

std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t Le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint64_t Le64(const std::uint8_t* p) {
    return Le32(p) | (static_cast<std::uint64_t>(Le32(p + 4)) << 32);
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, static_cast<std::uint16_t>(v));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}
void Put64(std::vector<std::uint8_t>& out, std::uint64_t v) {
    Put32(out, static_cast<std::uint32_t>(v));
    Put32(out, static_cast<std::uint32_t>(v >> 32));
}

// What the extended headers told, applied after the chain is read.
struct Extensions {
    std::optional<std::size_t> headerCrcAt; // offset of the CRC value within the header
    std::optional<std::string> name;
    std::optional<std::string> directory;
    std::optional<std::uint32_t> codePage;
    std::optional<std::uint64_t> compressed64;
    std::optional<std::uint64_t> original64;
    std::optional<std::int64_t> unixTime;
    std::optional<std::int64_t> windowsWriteTime;
};

void ReadExtension(const std::uint8_t* body, std::size_t size, std::size_t bodyOffset,
                   std::uint8_t type, MemberHeader& h, Extensions& ext) {
    const std::string text(reinterpret_cast<const char*>(body), size);
    switch (type) {
    case 0x00:
        if (size >= 2) {
            ext.headerCrcAt = bodyOffset;
        }
        break;
    case 0x01:
        ext.name = text;
        break;
    case 0x02:
        ext.directory = text;
        break;
    case 0x40:
        if (size >= 2) {
            h.dosAttribute = Le16(body);
        }
        break;
    case 0x41:
        if (size >= 24) {
            h.createTime = FileTimeToUnix(Le64(body));
            ext.windowsWriteTime = FileTimeToUnix(Le64(body + 8));
            h.accessTime = FileTimeToUnix(Le64(body + 16));
        }
        break;
    case 0x42:
        if (size >= 16) {
            ext.compressed64 = Le64(body);
            ext.original64 = Le64(body + 8);
        }
        break;
    case 0x46:
        if (size >= 4) {
            ext.codePage = Le32(body);
        }
        break;
    case 0x50:
        if (size >= 2) {
            h.unixMode = Le16(body);
        }
        break;
    case 0x54:
        if (size >= 4) {
            ext.unixTime = Le32(body);
        }
        break;
    default:
        break; // comments, owner names, ids: nothing we keep
    }
}

// Walks a chain of extended headers; each is [type][body][size of the next], its size counting
// all three. Stops at a zero size; limit bounds where the chain may reach.
bool ReadExtensionChain(const std::uint8_t* data, std::size_t limit, std::size_t offset,
                        std::uint64_t next, int sizeWidth, MemberHeader& h, Extensions& ext,
                        std::size_t& end, std::string& problem) {
    for (int count = 0; next != 0; ++count) {
        if (count >= kMaxExtensions) {
            problem = "too many extended headers";
            return false;
        }
        if (offset > limit || next < static_cast<std::uint64_t>(1 + sizeWidth) ||
            next > limit - offset) {
            problem = "extended header runs past its end";
            return false;
        }
        const std::size_t size = static_cast<std::size_t>(next);
        const std::size_t bodySize = size - 1 - sizeWidth;
        ReadExtension(data + offset + 1, bodySize, offset + 1, data[offset], h, ext);
        const std::uint8_t* nextField = data + offset + size - sizeWidth;
        next = sizeWidth == 2 ? Le16(nextField) : Le32(nextField);
        offset += size;
    }
    end = offset;
    return true;
}

NameHint HintFor(const MemberHeader& h, const Extensions& ext) {
    if (ext.codePage == kCodePageShiftJis) {
        return NameHint::ShiftJis;
    }
    if (ext.codePage == kCodePageUtf8) {
        return NameHint::Utf8;
    }
    switch (h.osId) {
    case 'M':
    case 'w':
    case 'W':
    case 0:
        return NameHint::Windows;
    default:
        return NameHint::Unknown;
    }
}

// Stored names separate folders by 0xFF (level 2) or "\" (MS-DOS tools); each piece is
// decoded before "\" is looked for, so a Shift-JIS trail byte 0x5C is never taken for one.
std::string DecodePath(const std::string& stored, NameHint hint) {
    std::string path;
    std::size_t start = 0;
    while (start <= stored.size()) {
        std::size_t stop = stored.find('\xFF', start);
        if (stop == std::string::npos) {
            stop = stored.size();
        }
        if (!path.empty() || start != 0) {
            path += '/';
        }
        path += StoredNameToUtf8(stored.substr(start, stop - start), hint);
        start = stop + 1;
    }
    std::replace(path.begin(), path.end(), '\\', '/');
    path.erase(
        std::unique(path.begin(), path.end(), [](char a, char b) { return a == '/' && b == '/'; }),
        path.end());
    return path;
}

void FinishName(const std::string& stored, MemberHeader& h, const Extensions& ext) {
    h.path = DecodePath(stored, HintFor(h, ext));
    if (h.IsDirectory() && !h.path.empty() && h.path.back() != '/') {
        h.path += '/';
    }
}

std::string DirectoryAndName(const Extensions& ext, const std::string& baseName) {
    std::string stored;
    if (ext.directory) {
        stored = *ext.directory;
        // A last byte 0x5C may be the end of a Shift-JIS character: the separator is added
        // whatever it is, and a doubled one collapses when the path is decoded.
        if (!stored.empty() && stored.back() != '\xFF') {
            stored += '\xFF';
        }
    }
    stored += ext.name.value_or(baseName);
    while (!stored.empty() && stored.back() == '\xFF') {
        stored.pop_back();
    }
    return stored;
}

// Whether the first n (up to 5) bytes of a method field such as "-lh5-" look like one.
bool MethodLooksValid(const std::uint8_t* p, std::size_t n = 5) {
    for (std::size_t i = 0; i < n && i < 5; ++i) {
        const bool dash = i == 0 || i == 4;
        if (dash ? p[i] != '-' : p[i] < 0x20 || p[i] > 0x7E) {
            return false;
        }
    }
    return true;
}

ParsedHeader Fail(ParseStatus status, std::string problem) {
    ParsedHeader r;
    r.status = status;
    r.problem = std::move(problem);
    return r;
}

ParsedHeader ParseLevel01(const std::uint8_t* data, std::size_t size) {
    ParsedHeader r;
    MemberHeader& h = r.header;
    const std::size_t total = static_cast<std::size_t>(data[0]) + 2;
    if (total > size) {
        return Fail(ParseStatus::Truncated, "header runs past the end of the archive");
    }
    unsigned sum = 0;
    for (std::size_t i = 2; i < total; ++i) {
        sum += data[i];
    }
    if ((sum & 0xFF) != data[1]) {
        return Fail(ParseStatus::BadHeaderCrc, "header checksum does not match");
    }
    h.level = data[20];
    const std::size_t nameLength = data[21];
    if (22 + nameLength + 2 > total) {
        return Fail(ParseStatus::Broken, "name runs past the header");
    }
    h.method.assign(reinterpret_cast<const char*>(data + 2), 5);
    std::uint64_t compressed = Le32(data + 7);
    h.originalSize = Le32(data + 11);
    h.mtime = DosToUnix(Le32(data + 15));
    h.dosAttribute = data[19];
    const std::string storedName(reinterpret_cast<const char*>(data + 22), nameLength);
    h.crc = Le16(data + 22 + nameLength);
    std::size_t pos = 24 + nameLength;
    Extensions ext;
    std::size_t headerEnd = total;
    h.osId = 0;
    if (h.level == 0) {
        // LHa for UNIX appends its OS id, Unix time and mode behind the CRC.
        if (pos < total) {
            h.osId = data[pos];
            if (h.osId == 'U' && total - pos >= 7) {
                h.mtime = Le32(data + pos + 1);
                h.unixMode = Le16(data + pos + 5);
            }
        }
    } else {
        if (pos + 3 > total) {
            return Fail(ParseStatus::Broken, "level-1 header too short");
        }
        h.osId = data[pos];
        const std::uint16_t next = Le16(data + pos + 1);
        if (!ReadExtensionChain(data, size, total, next, 2, h, ext, headerEnd, r.problem)) {
            r.status = ParseStatus::Truncated;
            return r;
        }
        // Level 1 counts its extended headers in the compressed size.
        const std::uint64_t extBytes = headerEnd - total;
        if (ext.compressed64) {
            compressed = *ext.compressed64;
        } else if (extBytes > compressed) {
            return Fail(ParseStatus::Broken, "extended headers larger than the member");
        } else {
            compressed -= extBytes;
        }
        if (ext.original64) {
            h.originalSize = *ext.original64;
        }
        if (ext.unixTime) {
            h.mtime = *ext.unixTime;
        } else if (ext.windowsWriteTime) {
            h.mtime = *ext.windowsWriteTime;
        }
    }
    h.compressedSize = compressed;
    FinishName(ext.name || ext.directory ? DirectoryAndName(ext, storedName) : storedName, h, ext);
    r.headerSize = headerEnd;
    r.status = ParseStatus::Ok;
    return r;
}

ParsedHeader ParseLevel23(const std::uint8_t* data, std::size_t size, std::uint8_t level) {
    ParsedHeader r;
    MemberHeader& h = r.header;
    h.level = level;
    const int sizeWidth = level == 2 ? 2 : 4;
    const std::size_t base = level == 2 ? 26 : 32;
    if (size < base) {
        return Fail(ParseStatus::Truncated, "header runs past the end of the archive");
    }
    std::uint64_t total;
    std::uint64_t next;
    if (level == 2) {
        total = Le16(data);
        next = Le16(data + 24);
    } else {
        if (Le16(data) != 4) {
            return Fail(ParseStatus::Broken, "level-3 header with an unknown word size");
        }
        total = Le32(data + 24);
        next = Le32(data + 28);
    }
    if (total < base) {
        return Fail(ParseStatus::Broken, "header size too small");
    }
    if (total > size) {
        return Fail(ParseStatus::Truncated, "header runs past the end of the archive");
    }
    const std::size_t headerSize = static_cast<std::size_t>(total);
    h.method.assign(reinterpret_cast<const char*>(data + 2), 5);
    h.compressedSize = Le32(data + 7);
    h.originalSize = Le32(data + 11);
    h.mtime = Le32(data + 15);
    h.crc = Le16(data + 21);
    h.osId = data[23];
    Extensions ext;
    std::size_t end = 0;
    if (!ReadExtensionChain(data, headerSize, base, next, sizeWidth, h, ext, end, r.problem)) {
        r.status = ParseStatus::Broken;
        return r;
    }
    if (ext.headerCrcAt) {
        std::vector<std::uint8_t> copy(data, data + headerSize);
        copy[*ext.headerCrcAt] = 0;
        copy[*ext.headerCrcAt + 1] = 0;
        if (Crc16(copy.data(), copy.size()) != Le16(data + *ext.headerCrcAt)) {
            return Fail(ParseStatus::BadHeaderCrc, "header CRC does not match");
        }
    }
    if (ext.compressed64) {
        h.compressedSize = *ext.compressed64;
        h.originalSize = *ext.original64;
    }
    FinishName(DirectoryAndName(ext, ""), h, ext);
    r.headerSize = headerSize;
    r.status = ParseStatus::Ok;
    return r;
}

void AddExtension(std::vector<std::vector<std::uint8_t>>& list, std::uint8_t type,
                  std::vector<std::uint8_t> body) {
    body.insert(body.begin(), type);
    list.push_back(std::move(body));
}

std::vector<std::uint8_t> Bytes(const std::string& s) {
    return std::vector<std::uint8_t>(s.begin(), s.end());
}

} // namespace

bool MemberHeader::IsSymlink() const {
    return IsDirectory() && path.find('|') != std::string::npos;
}

ParsedHeader ParseHeader(const std::uint8_t* data, std::size_t size, std::uint64_t remaining) {
    if (size == 0 || data[0] == 0) {
        return Fail(ParseStatus::End, "");
    }
    if (size < 22) {
        // What there is of the method field tells a short text from a header cut off.
        if (size < 3 || !MethodLooksValid(data + 2, size - 2)) {
            return Fail(ParseStatus::Broken, "not an LZH member header");
        }
        return Fail(ParseStatus::Truncated, "header runs past the end of the archive");
    }
    if (!MethodLooksValid(data + 2)) {
        return Fail(ParseStatus::Broken, "not an LZH member header");
    }
    ParsedHeader r;
    switch (data[20]) {
    case 0:
    case 1:
        r = ParseLevel01(data, size);
        break;
    case 2:
    case 3:
        r = ParseLevel23(data, size, data[20]);
        break;
    default:
        return Fail(ParseStatus::Broken, "unknown header level");
    }
    if (r.status == ParseStatus::Ok && r.header.compressedSize > remaining - r.headerSize) {
        return Fail(ParseStatus::Truncated, "member data runs past the end of the archive");
    }
    return r;
}

std::vector<std::uint8_t> BuildLevel2Header(const MemberHeader& h) {
    std::string path = h.path;
    while (!path.empty() && path.back() == '/') {
        path.pop_back();
    }
    std::string directory;
    std::string name = path;
    if (h.IsDirectory()) {
        directory = path;
        name.clear();
    } else if (const std::size_t slash = path.rfind('/'); slash != std::string::npos) {
        directory = path.substr(0, slash);
        name = path.substr(slash + 1);
    }
    bool shiftJis = false;
    if (!IsAscii(path)) {
        auto sjisDirectory = Utf8ToShiftJis(directory);
        auto sjisName = Utf8ToShiftJis(name);
        if (sjisDirectory && sjisName) {
            directory = *sjisDirectory;
            name = *sjisName;
            shiftJis = true;
        }
    }
    std::vector<std::vector<std::uint8_t>> ext;
    AddExtension(ext, 0x00, {0, 0});
    AddExtension(ext, 0x01, Bytes(name));
    if (!directory.empty()) {
        std::string stored = directory;
        std::replace(stored.begin(), stored.end(), '/', '\xFF');
        stored += '\xFF';
        AddExtension(ext, 0x02, Bytes(stored));
    }
    if (shiftJis) {
        std::vector<std::uint8_t> body;
        Put32(body, kCodePageShiftJis);
        AddExtension(ext, 0x46, std::move(body));
    }
    {
        std::vector<std::uint8_t> body;
        Put16(body, h.dosAttribute);
        AddExtension(ext, 0x40, std::move(body));
    }
    {
        std::vector<std::uint8_t> body;
        Put64(body, UnixToFileTime(h.createTime.value_or(h.mtime)));
        Put64(body, UnixToFileTime(h.mtime));
        Put64(body, UnixToFileTime(h.accessTime.value_or(h.mtime)));
        AddExtension(ext, 0x41, std::move(body));
    }
    if (h.compressedSize >= kFourGiB || h.originalSize >= kFourGiB) {
        std::vector<std::uint8_t> body;
        Put64(body, h.compressedSize);
        Put64(body, h.originalSize);
        AddExtension(ext, 0x42, std::move(body));
    }
    if (h.unixMode) {
        std::vector<std::uint8_t> body;
        Put16(body, *h.unixMode);
        AddExtension(ext, 0x50, std::move(body));
    }

    std::vector<std::uint8_t> out;
    Put16(out, 0); // total size, filled in below
    out.insert(out.end(), h.method.begin(), h.method.begin() + 5);
    Put32(out, static_cast<std::uint32_t>(h.compressedSize));
    Put32(out, static_cast<std::uint32_t>(h.originalSize));
    Put32(out, static_cast<std::uint32_t>(h.mtime));
    out.push_back(0x20);
    out.push_back(2);
    Put16(out, h.crc);
    out.push_back(h.osId);
    std::size_t crcAt = 0;
    for (const auto& e : ext) {
        Put16(out, static_cast<std::uint16_t>(e.size() + 2));
        if (e[0] == 0x00) {
            crcAt = out.size() + 1;
        }
        out.insert(out.end(), e.begin(), e.end());
    }
    Put16(out, 0);
    // A size whose low byte is 0 would read as the end of the archive to level-0 readers.
    if ((out.size() & 0xFF) == 0) {
        out.push_back(0);
    }
    if (out.size() > 0xFFFF) {
        return {};
    }
    out[0] = static_cast<std::uint8_t>(out.size());
    out[1] = static_cast<std::uint8_t>(out.size() >> 8);
    const std::uint16_t crc = Crc16(out.data(), out.size());
    out[crcAt] = static_cast<std::uint8_t>(crc);
    out[crcAt + 1] = static_cast<std::uint8_t>(crc >> 8);
    return out;
}

} // namespace unlha
