#include "commands.h"
#include "destination.h"
#include "member_data.h"
#include "unlha32.h"
#include "wildcard.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace unlha {
namespace {

bool Selected(const Command& command, const MemberHeader& h) {
    if (command.names.empty()) {
        return true;
    }
    for (const auto& name : command.names) {
        if (MemberMatches(name.name, h.path)) {
            return true;
        }
    }
    return false;
}

unsigned FileMode(const MemberHeader& h) {
    if (h.unixMode) {
        return *h.unixMode & 0777;
    }
    return (h.dosAttribute & 0x01) ? 0444 : 0644;
}

void TestMember(const ArchiveReader& archive, const Member& m, Report& report) {
    if (m.header.IsDirectory()) {
        return;
    }
    const MemberOutcome outcome =
        DecodeMember(archive, m, [](const std::uint8_t*, std::size_t) { return true; });
    if (outcome == MemberOutcome::Ok) {
        report.Line(m.header.path + ": OK");
    } else {
        report.Fail(OutcomeCode(outcome), m.header.path + ": " + OutcomeText(outcome));
    }
}

// Returns true when the member was written.
bool ExtractMember(const ArchiveReader& archive, const Member& m, const Command& command,
                   const Destination& destination, Report& report) {
    const MemberHeader& h = m.header;
    if (h.IsSymlink()) {
        report.Fail(UNLHA_ERROR_NOT_FILENAME, h.path + ": symbolic link not extracted");
        return false;
    }
    std::string why;
    auto components = SafeComponents(h.path, why);
    if (!components) {
        report.Fail(UNLHA_ERROR_NOT_FILENAME, h.path + ": not extracted: " + why);
        return false;
    }
    const bool keepPaths = command.keepPaths.value_or(command.verb == 'x');
    if (!keepPaths) {
        if (h.IsDirectory()) {
            return false;
        }
        components->erase(components->begin(), components->end() - 1);
    }
    const std::string name = components->back();
    if (!h.IsDirectory()) {
        components->pop_back();
    }
    const int folder = destination.OpenFolder(*components);
    if (folder < 0) {
        const int err = errno;
        if (err == ELOOP || err == ENOTDIR) {
            report.Fail(UNLHA_ERROR_NOT_FILENAME,
                        h.path + ": not extracted: a link or file is in the way");
        } else {
            report.Fail(UNLHA_ERROR_MAKEDIRECTORY,
                        h.path + ": cannot make folder: " + std::strerror(err));
        }
        return false;
    }
    if (h.IsDirectory()) {
        close(folder);
        return true;
    }
    if (!command.overwrite && EntryExists(folder, name)) {
        close(folder);
        report.Fail(UNLHA_ERROR_ALREADY_EXIST, h.path + ": exists, not overwritten (-m1 does)");
        return false;
    }
    OutputFile out;
    if (const int err = out.Create(folder, name); err != 0) {
        report.Fail(WriteErrorCode(err), h.path + ": cannot write: " + std::strerror(err));
        return false;
    }
    int writeError = 0;
    const MemberOutcome outcome = DecodeMember(archive, m, [&](const std::uint8_t* d, size_t n) {
        if (out.Write(d, n)) {
            return true;
        }
        writeError = errno;
        return false;
    });
    if (outcome == MemberOutcome::SinkStopped) {
        report.Fail(WriteErrorCode(writeError),
                    h.path + ": " +
                        (writeError == ENOSPC ? "disk full" : std::strerror(writeError)));
        return false;
    }
    if (outcome != MemberOutcome::Ok) {
        report.Fail(OutcomeCode(outcome), h.path + ": " + OutcomeText(outcome));
        return false;
    }
    if (const int err = out.Commit(destination.FileModeFor(FileMode(h)), h.mtime,
                                   h.accessTime.value_or(h.mtime));
        err != 0) {
        report.Fail(WriteErrorCode(err), h.path + ": cannot write: " + std::strerror(err));
        return false;
    }
    report.Line(h.path);
    return true;
}

void SetFolderTime(const Destination& destination, const MemberHeader& h) {
    std::string why;
    const auto components = SafeComponents(h.path, why);
    const int folder = components ? destination.OpenFolder(*components) : -1;
    if (folder >= 0) {
        const struct timespec times[2] = {{static_cast<time_t>(h.accessTime.value_or(h.mtime)), 0},
                                          {static_cast<time_t>(h.mtime), 0}};
        futimens(folder, times);
        close(folder);
    }
}

} // namespace

int32_t RunExtract(const Command& command, Report& report) {
    ArchiveReader archive;
    std::string path;
    if (!OpenForReading(command, archive, report, path)) {
        return report.Result();
    }
    if (command.verb == 't') {
        for (const Member& m : archive.Members()) {
            if (Selected(command, m.header)) {
                TestMember(archive, m, report);
            }
        }
        return report.Result();
    }
    Destination destination;
    if (const int err = destination.Open(command.lastBase); err != 0) {
        return report.Fail(UNLHA_ERROR_MAKEDIRECTORY, "unlha: cannot open destination " +
                                                          command.lastBase + ": " +
                                                          std::strerror(err));
    }
    int extracted = 0;
    bool matched = command.names.empty();
    std::vector<const Member*> folders;
    for (const Member& m : archive.Members()) {
        if (Selected(command, m.header)) {
            matched = true;
            const bool done = ExtractMember(archive, m, command, destination, report);
            if (done && m.header.IsDirectory()) {
                folders.push_back(&m);
            }
            extracted += done && !m.header.IsDirectory() ? 1 : 0;
        }
    }
    // Folder times last: writing into a folder changes them.
    for (const Member* m : folders) {
        SetFolderTime(destination, m->header);
    }
    if (!matched) {
        return report.Fail(UNLHA_ERROR_NOT_FIND_FILE, "unlha: no member matches");
    }
    if (report.Result() == 0) {
        report.Line(std::to_string(extracted) + " files extracted");
    }
    return report.Result();
}

} // namespace unlha
