#pragma once

#include <filesystem>
#include <string>

namespace zol::test {

// A private folder under the temporary folder, removed with everything in it at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // path/name, without a trailing "/".
    std::string operator/(const std::string& name) const { return (root_ / name).string(); }

private:
    std::filesystem::path root_;
};

// Writes size bytes of a pattern seeded by seed, making the folders on the way.
void WritePatternFile(const std::string& path, std::size_t size, unsigned seed);
std::string ReadWholeFile(const std::string& path);
// Runs a shell command; returns its standard output, or "exit N" text appended on failure.
std::string RunShell(const std::string& command);

} // namespace zol::test
