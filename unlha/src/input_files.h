#pragma once

// The files that an "a" command names, found on disk, with the member path each gets.

#include "command_line.h"
#include "report.h"

#include <string>
#include <sys/stat.h>
#include <vector>

namespace unlha {

struct InputFile {
    std::string diskPath;
    std::string memberPath; // "/" between folders; folders end with "/"
    struct stat st;
};

// Resolves every name of the command: a name relative to the base folder before it; a folder
// named outright is taken whole; a wildcard matches in its folder, and with -d1 in every folder
// below, whose folders become members too. Member paths are relative to the base folder, or
// with no base folder the file name alone (-x1: the path as written). excluded (the archive
// itself) is skipped. False, with the error reported, when a name finds nothing or cannot be
// read.
bool CollectInputs(const Command& command, const struct stat* excluded, std::vector<InputFile>& out,
                   Report& report);

} // namespace unlha
