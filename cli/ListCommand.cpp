#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/MemberTable.h"
#include "unlha32.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace zol::cli {

namespace {

const char* const Usage =
    "Usage: zol list ARCHIVE...\n"
    "Shows the members of each LZH archive: name, original size, date (YY/MM/DD), time,\n"
    "attribute, method and compressed size.\n"
    "\n"
    "  -h, --help  show this help\n";

std::string fieldText(const char* field, std::size_t size) {
    return std::string(field, strnlen(field, size));
}

// Reads the members through the library's listing calls; false when it cannot open the file.
bool readMembers(const std::string& archive, std::vector<MemberRow>& rows) {
    if (UnlhaCheckArchive(archive.c_str(), 0) == 0) {
        return false;
    }
    const HARC handle = UnlhaOpenArchive(0, archive.c_str(), 1);
    if (handle == 0) {
        return false;
    }
    INDIVIDUALINFO info{};
    for (int found = UnlhaFindFirst(handle, "*.*", &info); found == 0;
         found = UnlhaFindNext(handle, &info)) {
        rows.push_back({fieldText(info.szFileName, sizeof info.szFileName), info.dwOriginalSize,
                        info.wDate, info.wTime,
                        fieldText(info.szAttribute, sizeof info.szAttribute),
                        fieldText(info.szMode, sizeof info.szMode), info.dwCompressedSize});
    }
    UnlhaCloseArchive(handle);
    return true;
}

} // namespace

int RunList(int argc, char** argv) {
    const ParsedArgs parsed = ParseArgs(argc, argv, {});
    if (parsed.help) {
        std::fputs(Usage, stdout);
        return ExitOk;
    }
    if (parsed.operands.empty()) {
        throw UsageError("no archive to list");
    }
    int status = ExitOk;
    const bool several = parsed.operands.size() > 1;
    for (const auto& archive : parsed.operands) {
        struct stat st {};
        if (stat(archive.c_str(), &st) != 0) {
            PrintError("list", archive + ": " + ErrnoText(errno));
            status = ExitFailed;
            continue;
        }
        std::vector<MemberRow> rows;
        if (!readMembers(archive, rows)) {
            PrintError("list", archive + ": not a readable LZH archive");
            status = ExitFailed;
            continue;
        }
        if (several) {
            std::printf("%s:\n", archive.c_str());
        }
        std::fputs(FormatMemberTable(rows).c_str(), stdout);
    }
    return status;
}

} // namespace zol::cli
