#include "archive_writer.h"
#include "codec.h"
#include "commands.h"
#include "crc16.h"
#include "file_source.h"
#include "input_files.h"
#include "member_header.h"
#include "unlha32.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <sys/stat.h>

namespace unlha {
namespace {

const char* MethodName(Method method) {
    switch (method) {
    case Method::Lh5:
        return "-lh5-";
    case Method::Lh6:
        return "-lh6-";
    case Method::Lh7:
        return "-lh7-";
    case Method::Store:
        return "-lh0-";
    }
    return "-lh0-";
}

MemberHeader HeaderOf(const InputFile& input) {
    MemberHeader h;
    h.path = input.memberPath;
    h.mtime = input.st.st_mtime;
    h.accessTime = input.st.st_atime;
    h.unixMode = static_cast<std::uint16_t>(input.st.st_mode);
    h.dosAttribute = S_ISDIR(input.st.st_mode) ? 0x10 : 0x20;
    if ((input.st.st_mode & S_IWUSR) == 0) {
        h.dosAttribute |= 0x01;
    }
    h.method = S_ISDIR(input.st.st_mode) ? "-lhd-" : "-lh0-";
    return h;
}

enum class DataOutcome { Written, NotSmaller, ReadFailed, WriteFailed };

// Compresses the file into the archive, into packed bytes.
DataOutcome Compress(FileSource& file, int dictBits, ArchiveWriter& writer, std::uint64_t& packed) {
    bool writeFailed = false;
    const Source source = [&](std::uint8_t* d, std::size_t n) { return file.Read(d, n); };
    const std::int64_t result = Encode(dictBits, source, [&](const std::uint8_t* d, size_t n) {
        if (packed + n >= file.Size()) {
            return false;
        }
        if (!writer.Write(d, n)) {
            writeFailed = true;
            return false;
        }
        packed += n;
        return true;
    });
    if (result >= 0) {
        return DataOutcome::Written;
    }
    return writeFailed               ? DataOutcome::WriteFailed
           : !file.Problem().empty() ? DataOutcome::ReadFailed
                                     : DataOutcome::NotSmaller;
}

// Copies the file into the archive as it is.
DataOutcome Copy(FileSource& file, ArchiveWriter& writer) {
    switch (writer.Copy([&file](std::uint8_t* d, std::size_t n) { return file.Read(d, n); })) {
    case ArchiveWriter::CopyResult::Done:
        return DataOutcome::Written;
    case ArchiveWriter::CopyResult::ReadFailed:
        return DataOutcome::ReadFailed;
    case ArchiveWriter::CopyResult::WriteFailed:
        break;
    }
    return DataOutcome::WriteFailed;
}

// Appends one member to the archive: a header with the sizes the file had when opened, its
// data compressed straight from the file into the archive when that makes it smaller and
// stored otherwise, then the header again with the method and the CRC.
bool WriteMember(const InputFile& input, Method method, ArchiveWriter& writer,
                 const std::string& archivePath, Report& report) {
    MemberHeader h = HeaderOf(input);
    const bool folder = S_ISDIR(input.st.st_mode);
    FileSource file;
    if (!folder) {
        if (const int err = file.Open(input.diskPath); err != 0) {
            report.Fail(UNLHA_ERROR_FILE_OPEN,
                        "unlha: cannot read " + input.diskPath + ": " + std::strerror(err));
            return false;
        }
        h.originalSize = h.compressedSize = file.Size();
    }
    // The sizes decide the header's length, which the final header keeps.
    const std::vector<std::uint8_t> first = BuildLevel2Header(h);
    if (first.empty()) {
        report.Fail(UNLHA_ERROR_FILE_OPEN, "unlha: name too long: " + input.memberPath);
        return false;
    }
    const std::uint64_t start = writer.Size();
    if (!writer.Write(first)) {
        return ReportWriteError(archivePath, report);
    }
    if (folder) {
        return true;
    }
    DataOutcome outcome = DataOutcome::NotSmaller;
    const int dictBits = EncodableDictionaryBits(MethodName(method));
    if (dictBits != 0 && file.Size() > 0) {
        h.compressedSize = 0;
        outcome = Compress(file, dictBits, writer, h.compressedSize);
        if (outcome == DataOutcome::Written) {
            h.method = MethodName(method);
        } else if (outcome == DataOutcome::NotSmaller) {
            // Stored in the place of the attempt.
            h.compressedSize = h.originalSize;
            outcome = !writer.Cut(start + first.size()) ? DataOutcome::WriteFailed
                      : !file.Rewind()                  ? DataOutcome::ReadFailed
                                                        : DataOutcome::NotSmaller;
        }
    }
    if (outcome == DataOutcome::NotSmaller) {
        outcome = Copy(file, writer);
    }
    if (outcome == DataOutcome::ReadFailed) {
        report.Fail(UNLHA_ERROR_FILE_OPEN,
                    "unlha: cannot read " + input.diskPath + ": " + file.Problem());
        return false;
    }
    h.crc = file.Crc();
    if (outcome == DataOutcome::WriteFailed || !writer.Rewrite(start, BuildLevel2Header(h))) {
        return ReportWriteError(archivePath, report);
    }
    return true;
}

} // namespace

int32_t RunAdd(const Command& command, Report& report) {
    const std::string path = ArchiveFileName(command.archive);
    ArchiveReader archive;
    struct stat archiveStat {};
    const bool exists = stat(path.c_str(), &archiveStat) == 0;
    if (exists) {
        const OpenStatus status = archive.Open(path);
        if (status == OpenStatus::NotArchive) {
            return report.Fail(UNLHA_ERROR_NOT_ARC_FILE, "unlha: not an LZH archive: " + path);
        }
        if (status == OpenStatus::Unreadable) {
            return report.Fail(UNLHA_ERROR_ARC_FILE_OPEN,
                               "unlha: cannot read archive " + path + ": " + archive.Problem());
        }
        if (status != OpenStatus::Ok) {
            // Rewriting a damaged archive would lose what lies behind the damage.
            return report.Fail(status == OpenStatus::BadHeaderCrc ? UNLHA_ERROR_HEADER_CRC
                                                                  : UNLHA_ERROR_HEADER_BROKEN,
                               "unlha: damaged archive " + path + ": " + archive.Problem());
        }
    }
    std::vector<InputFile> inputs;
    if (!CollectInputs(command, exists ? &archiveStat : nullptr, inputs, report)) {
        return report.Result();
    }
    ArchiveWriter writer;
    if (const int err = writer.Begin(path); err != 0) {
        return report.Fail(err == ENOENT ? UNLHA_ERROR_ARC_FILE_OPEN : WriteErrorCode(err),
                           "unlha: cannot create archive " + path + ": " + std::strerror(err));
    }
    std::map<std::string, std::size_t> byName;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        byName[inputs[i].memberPath] = i;
    }
    std::vector<bool> written(inputs.size(), false);
    // Told only once the new archive has taken the old one's place: a failure on the way
    // leaves the archive as it was, with nothing added.
    std::vector<std::string> done;
    const auto writeInput = [&](std::size_t i, const char* verb) {
        if (!WriteMember(inputs[i], command.method, writer, path, report)) {
            return false;
        }
        written[i] = true;
        done.push_back(std::string(verb) + " " + inputs[i].memberPath);
        return true;
    };
    for (const Member& m : archive.Members()) {
        const auto found = byName.find(m.header.path);
        if (found != byName.end()) {
            // An archive holding the name twice gets the new file once, in the first's place.
            if (written[found->second]) {
                continue;
            }
            if (!writeInput(found->second, "replaced")) {
                return report.Result();
            }
        } else if (!CopyMember(archive, m, writer, path, report)) {
            return report.Result();
        }
    }
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (!written[i] && !writeInput(i, "added")) {
            return report.Result();
        }
    }
    if (const int err = writer.Finish(); err != 0) {
        errno = err;
        ReportWriteError(path, report);
        return report.Result();
    }
    for (const std::string& line : done) {
        report.Line(line);
    }
    return report.Result();
}

} // namespace unlha
