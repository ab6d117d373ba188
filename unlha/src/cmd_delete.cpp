#include "archive_writer.h"
#include "commands.h"
#include "unlha32.h"
#include "wildcard.h"

#include <cerrno>
#include <cstring>

namespace unlha {

int32_t RunDelete(const Command& command, Report& report) {
    if (command.names.empty()) {
        return report.Fail(UNLHA_ERROR_NOT_FIND_FILE, "unlha: no member names to delete");
    }
    ArchiveReader archive;
    std::string path;
    if (!OpenForReading(command, archive, report, path) || report.Result() != 0) {
        return report.Result();
    }
    std::vector<bool> keep;
    int deleted = 0;
    for (const Member& m : archive.Members()) {
        bool match = false;
        for (const auto& name : command.names) {
            match = match || MemberMatches(name.name, m.header.path);
        }
        keep.push_back(!match);
        deleted += match ? 1 : 0;
    }
    if (deleted == 0) {
        return report.Fail(UNLHA_ERROR_NOT_FIND_FILE, "unlha: no member matches");
    }
    ArchiveWriter writer;
    if (const int err = writer.Begin(path); err != 0) {
        errno = err;
        ReportWriteError(path, report);
        return report.Result();
    }
    for (std::size_t i = 0; i < archive.Members().size(); ++i) {
        const Member& m = archive.Members()[i];
        if (!keep[i]) {
            report.Line("deleted " + m.header.path);
        } else if (!CopyMember(archive, m, writer, path, report)) {
            return report.Result();
        }
    }
    if (const int err = writer.Finish(); err != 0) {
        errno = err;
        ReportWriteError(path, report);
    }
    return report.Result();
}

} // namespace unlha
