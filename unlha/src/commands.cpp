#include "commands.h"

#include "unlha32.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace unlha {

int32_t RunCommand(const std::string& line, Report& report) {
    const ParseResult parsed = ParseCommand(line);
    if (!parsed.command) {
        return report.Fail(UNLHA_ERROR_COMMAND_NAME, "unlha: " + parsed.error);
    }
    const Command& command = *parsed.command;
    switch (command.verb) {
    case 'a':
        return RunAdd(command, report);
    case 'e':
    case 'x':
    case 't':
        return RunExtract(command, report);
    case 'l':
    case 'v':
        return RunList(command, report);
    case 'd':
        return RunDelete(command, report);
    default:
        return report.Fail(UNLHA_ERROR_COMMAND_NAME, "unlha: unknown command");
    }
}

bool OpenForReading(const Command& command, ArchiveReader& archive, Report& report,
                    std::string& path) {
    struct stat st {};
    path = stat(command.archive.c_str(), &st) == 0 ? command.archive
                                                   : ArchiveFileName(command.archive);
    switch (archive.Open(path)) {
    case OpenStatus::Ok:
        return true;
    case OpenStatus::Missing:
        report.Fail(UNLHA_ERROR_NOT_FIND_ARC_FILE, "unlha: archive not found: " + path);
        return false;
    case OpenStatus::Unreadable:
        report.Fail(UNLHA_ERROR_ARC_FILE_OPEN,
                    "unlha: cannot read archive " + path + ": " + archive.Problem());
        return false;
    case OpenStatus::NotArchive:
        report.Fail(UNLHA_ERROR_NOT_ARC_FILE, "unlha: not an LZH archive: " + path);
        return false;
    case OpenStatus::BadHeaderCrc:
        report.Fail(UNLHA_ERROR_HEADER_CRC,
                    "unlha: damaged archive " + path + ": " + archive.Problem() + " after " +
                        std::to_string(archive.Members().size()) + " members");
        return true;
    case OpenStatus::Broken:
        report.Fail(UNLHA_ERROR_HEADER_BROKEN,
                    "unlha: damaged archive " + path + ": " + archive.Problem() + " after " +
                        std::to_string(archive.Members().size()) + " members");
        return true;
    }
    return false;
}

int32_t WriteErrorCode(int err) {
    return err == ENOSPC || err == EDQUOT ? UNLHA_ERROR_DISK_SPACE : UNLHA_ERROR_CANNOT_WRITE;
}

bool ReportWriteError(const std::string& archivePath, Report& report) {
    const int err = errno;
    report.Fail(WriteErrorCode(err), "unlha: cannot write " + archivePath + ": " +
                                         (err == ENOSPC ? "disk full" : std::strerror(err)));
    return false;
}

bool CopyMember(const ArchiveReader& archive, const Member& member, ArchiveWriter& writer,
                const std::string& archivePath, Report& report) {
    switch (
        writer.Copy(archive.Bytes(member.headerOffset, member.StoredEnd() - member.headerOffset))) {
    case ArchiveWriter::CopyResult::Done:
        return true;
    case ArchiveWriter::CopyResult::ReadFailed:
        report.Fail(UNLHA_ERROR_ARC_FILE_OPEN,
                    "unlha: cannot read archive " + archivePath + ": " + std::strerror(errno));
        return false;
    case ArchiveWriter::CopyResult::WriteFailed:
        break;
    }
    return ReportWriteError(archivePath, report);
}

} // namespace unlha
