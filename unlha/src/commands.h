#pragma once

// The commands of Unlha, one file each.

#include "archive_reader.h"
#include "archive_writer.h"
#include "command_line.h"
#include "report.h"

#include <string>

namespace unlha {

// Parses and runs one command string; its result is also the report's.
int32_t RunCommand(const std::string& line, Report& report);

int32_t RunAdd(const Command& command, Report& report);
int32_t RunExtract(const Command& command, Report& report); // e, x and t
int32_t RunList(const Command& command, Report& report);    // l and v
int32_t RunDelete(const Command& command, Report& report);

// Opens the archive a reading command names (adding ".lzh" when the name as written does not
// exist). False, with the error reported, when not even the first header can be read;
// damage further on is reported and the members before it are kept.
bool OpenForReading(const Command& command, ArchiveReader& archive, Report& report,
                    std::string& path);

// The result code and message for an errno met while writing.
int32_t WriteErrorCode(int err);

// Reports errno, met while writing the archive at archivePath; returns false.
bool ReportWriteError(const std::string& archivePath, Report& report);

// Copies a member's stored header and data bytes unchanged into writer. False, with the
// error reported, when reading the archive or writing fails.
bool CopyMember(const ArchiveReader& archive, const Member& member, ArchiveWriter& writer,
                const std::string& archivePath, Report& report);

} // namespace unlha
