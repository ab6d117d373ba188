#pragma once

// The folder that members are extracted into. Every path is walked one component at a time
// from the folder's descriptor, never following a symbolic link, so nothing is written
// outside it whatever the archive or the tree already holds.

#include "creation_mask.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace unlha {

// The components of a member path that may be written, or nothing (and why) when the path is
// absolute, climbs with "..", names a drive, holds a zero byte or is empty.
std::optional<std::vector<std::string>> SafeComponents(const std::string& memberPath,
                                                       std::string& why);

class Destination {
public:
    Destination() = default;
    ~Destination();
    Destination(const Destination&) = delete;
    Destination& operator=(const Destination&) = delete;

    // Opens the folder, making it (and its parents) when missing. Returns an errno value.
    int Open(const std::string& folder);

    // Opens the folder of components, making the missing ones; -1 and errno on failure
    // (ELOOP or ENOTDIR where a component is a link or a file). The caller closes it.
    int OpenFolder(const std::vector<std::string>& components) const;

    // A member's stored mode as its file gets it: less the creation mask (read once per
    // destination), so an archive cannot make a file more open than the user's files are.
    unsigned FileModeFor(unsigned storedMode) const { return storedMode & 0777 & ~modeMask_; }

private:
    int root_ = -1;
    unsigned modeMask_ = CreationMask();
};

// A file being extracted: written under a temporary name beside its place and renamed over it
// only when complete, so a failed member leaves nothing behind and a link at its place is
// replaced, not followed.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Takes over folder (a descriptor from OpenFolder). Returns an errno value.
    int Create(int folder, const std::string& name);
    // Returns false and keeps errno when the write fails.
    bool Write(const std::uint8_t* data, std::size_t size);
    // Sets mode and times and puts the file in place. Returns an errno value.
    int Commit(unsigned mode, std::int64_t mtime, std::int64_t atime);

private:
    void Discard();

    int folder_ = -1;
    int fd_ = -1;
    std::string name_;
    std::string tempName_;
};

// True when something (a file, folder or link) already has that name in the folder.
bool EntryExists(int folder, const std::string& name);

} // namespace unlha
