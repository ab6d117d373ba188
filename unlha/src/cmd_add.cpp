#include "archive_writer.h"
#include "codec.h"
#include "commands.h"
#include "crc16.h"
#include "input_files.h"
#include "member_header.h"
#include "unlha32.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

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

bool ReadWhole(const std::string& path, std::vector<std::uint8_t>& data) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        errno = EINVAL; // replaced by something that is not a file since it was found
        return false;
    }
    std::uint8_t chunk[1 << 16];
    data.clear();
    while (true) {
        const ssize_t n = read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            const int err = errno;
            close(fd);
            errno = err;
            return n == 0;
        }
        data.insert(data.end(), chunk, chunk + n);
    }
}

// One member's header and data, compressed when that makes it smaller.
bool BuildMember(const InputFile& input, Method method, std::vector<std::uint8_t>& header,
                 std::vector<std::uint8_t>& body, Report& report) {
    MemberHeader h;
    h.path = input.memberPath;
    h.mtime = input.st.st_mtime;
    h.accessTime = input.st.st_atime;
    h.unixMode = static_cast<std::uint16_t>(input.st.st_mode);
    const bool folder = S_ISDIR(input.st.st_mode);
    h.dosAttribute = folder ? 0x10 : 0x20;
    if ((input.st.st_mode & S_IWUSR) == 0) {
        h.dosAttribute |= 0x01;
    }
    body.clear();
    if (folder) {
        h.method = "-lhd-";
    } else {
        std::vector<std::uint8_t> data;
        if (!ReadWhole(input.diskPath, data)) {
            report.Fail(UNLHA_ERROR_FILE_OPEN,
                        "unlha: cannot read " + input.diskPath + ": " + std::strerror(errno));
            return false;
        }
        h.originalSize = data.size();
        h.crc = Crc16(data.data(), data.size());
        h.method = "-lh0-";
        const int dictBits = EncodableDictionaryBits(MethodName(method));
        if (dictBits != 0 && !data.empty()) {
            const std::int64_t size =
                Encode(dictBits, data.data(), data.size(), [&](const std::uint8_t* d, size_t n) {
                    if (body.size() + n >= data.size()) {
                        return false; // no smaller than the original: stored instead
                    }
                    body.insert(body.end(), d, d + n);
                    return true;
                });
            if (size >= 0 && static_cast<std::size_t>(size) == body.size()) {
                h.method = MethodName(method);
            }
        }
        if (h.method == "-lh0-") {
            body = std::move(data);
        }
    }
    h.compressedSize = body.size();
    header = BuildLevel2Header(h);
    if (header.empty()) {
        report.Fail(UNLHA_ERROR_FILE_OPEN, "unlha: name too long: " + input.memberPath);
        return false;
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
    std::vector<std::uint8_t> header;
    std::vector<std::uint8_t> body;
    const auto writeInput = [&](std::size_t i, const char* verb) {
        if (!BuildMember(inputs[i], command.method, header, body, report)) {
            return false;
        }
        if (!writer.Write(header) || !writer.Write(body)) {
            const int err = errno;
            report.Fail(WriteErrorCode(err),
                        "unlha: cannot write " + path + ": " +
                            (err == ENOSPC ? "disk full" : std::strerror(err)));
            return false;
        }
        written[i] = true;
        report.Line(std::string(verb) + " " + inputs[i].memberPath);
        return true;
    };
    for (const Member& m : archive.Members()) {
        const auto found = byName.find(m.header.path);
        if (found != byName.end()) {
            if (!writeInput(found->second, "replaced")) {
                return report.Result();
            }
        } else if (!writer.Write(archive.Data() + m.headerOffset,
                                 static_cast<std::size_t>(m.StoredEnd() - m.headerOffset))) {
            const int err = errno;
            return report.Fail(WriteErrorCode(err),
                               "unlha: cannot write " + path + ": " + std::strerror(err));
        }
    }
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (!written[i] && !writeInput(i, "added")) {
            return report.Result();
        }
    }
    if (const int err = writer.Finish(); err != 0) {
        return report.Fail(WriteErrorCode(err),
                           "unlha: cannot write " + path + ": " +
                               (err == ENOSPC ? "disk full" : std::strerror(err)));
    }
    return report.Result();
}

} // namespace unlha
