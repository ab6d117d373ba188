#include "commands.h"
#include "dos_time.h"
#include "member_info.h"
#include "wildcard.h"

#include <cstdio>

namespace unlha {
namespace {

std::string DateTimeText(std::int64_t mtime) {
    const std::uint32_t dos = UnixToDos(mtime);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", 1980 + (dos >> 25),
                  (dos >> 21) & 0x0F, (dos >> 16) & 0x1F, (dos >> 11) & 0x1F, (dos >> 5) & 0x3F,
                  (dos & 0x1F) * 2);
    return text;
}

std::string RatioText(std::uint64_t compressed, std::uint64_t original) {
    const unsigned ratio = Ratio(compressed, original);
    char text[16];
    std::snprintf(text, sizeof text, "%3u.%u%%", ratio / 10, ratio % 10);
    return text;
}

} // namespace

int32_t RunList(const Command& command, Report& report) {
    ArchiveReader archive;
    std::string path;
    if (!OpenForReading(command, archive, report, path)) {
        return report.Result();
    }
    const bool verbose = command.verb == 'v';
    report.Line(verbose ? "  Original    Packed  Ratio Date       Time     Attr   Method CRC  Name"
                        : "  Original    Packed  Ratio Date       Time     Name");
    std::uint64_t original = 0;
    std::uint64_t packed = 0;
    int count = 0;
    for (const Member& m : archive.Members()) {
        const MemberHeader& h = m.header;
        bool selected = command.names.empty();
        for (const auto& name : command.names) {
            selected = selected || MemberMatches(name.name, h.path);
        }
        if (!selected) {
            continue;
        }
        char line[128];
        std::snprintf(line, sizeof line, "%10llu %9llu %s %s ",
                      static_cast<unsigned long long>(h.originalSize),
                      static_cast<unsigned long long>(h.compressedSize),
                      RatioText(h.compressedSize, h.originalSize).c_str(),
                      DateTimeText(h.mtime).c_str());
        std::string text = line;
        if (verbose) {
            std::snprintf(line, sizeof line, "%s %s  %04x ", AttributeText(h).c_str(),
                          h.method.c_str(), h.crc);
            text += line;
        }
        report.Line(text + h.path);
        original += h.originalSize;
        packed += h.compressedSize;
        ++count;
    }
    char total[128];
    std::snprintf(total, sizeof total, "%10llu %9llu %s %d members",
                  static_cast<unsigned long long>(original),
                  static_cast<unsigned long long>(packed), RatioText(packed, original).c_str(),
                  count);
    report.Line(total);
    return report.Result();
}

} // namespace unlha
