#pragma once

// Helpers of the archiver library's tests: scratch folders, files, running commands and the
// independent LHA tools.

#include <cstdint>
#include <string>
#include <vector>

namespace unlha_test {

using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the test temp dir, removed with everything in it at the end.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    // The folder's path with a trailing "/" and name appended.
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

void WriteFile(const std::string& path, const Bytes& data);
void WriteText(const std::string& path, const std::string& text);
Bytes ReadFile(const std::string& path);
bool Exists(const std::string& path);
void MakeDirs(const std::string& path);
std::int64_t ModificationTime(const std::string& path);
void SetModificationTime(const std::string& path, std::int64_t seconds);

// Deterministic test data.
Bytes RandomBytes(std::size_t size, std::uint32_t seed);
Bytes RepetitiveText(std::size_t size);

struct CommandResult {
    int result;
    std::string output;
};
CommandResult RunUnlha(const std::string& command);

// Runs a shell command; its exit status and standard output.
struct ToolResult {
    int status;
    std::string output;
};
ToolResult RunTool(const std::string& shellCommand);
bool HaveTool(const std::string& name);
std::string Quote(const std::string& path);

// Files below root (relative paths, "/" separated, folders with a trailing "/"), sorted.
std::vector<std::string> TreeListing(const std::string& root);

// An archive of one member with a level-0 header written here by hand (no extension area),
// stored as -lh0-: an independent writer to check the reader against.
Bytes Level0Member(const std::string& storedName, const Bytes& data, std::uint32_t dosTime);

// A whole archive image from member images (adds the end mark).
Bytes Archive(const std::vector<Bytes>& members);

// A level-2 stored member written by the library's header writer.
Bytes Level2Member(const std::string& path, const Bytes& data, const std::string& method = "-lh0-");

} // namespace unlha_test
