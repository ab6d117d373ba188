#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zol::test {

struct ZolResult {
    int status = -1; // exit status, or 128 + signal
    std::string out;
    std::string err;
};

enum class Stderr { File, Terminal };

// Runs the built zol with args in folder cwd, as a user would. With Stderr::Terminal its
// standard error is a pseudo-terminal; extraEnv holds "NAME=value" texts added to the
// environment.
ZolResult RunZol(const std::vector<std::string>& args, const std::string& cwd,
                 Stderr stderrKind = Stderr::File, const std::vector<std::string>& extraEnv = {});

// Runs zol as RunZol does, with its standard error in a file, and presses Ctrl-C (sends it
// SIGINT) once pressNow, asked every millisecond while zol runs, says so; `presses` times,
// 50 ms apart.
ZolResult RunZolWithCtrlC(const std::vector<std::string>& args, const std::string& cwd,
                          const std::function<bool()>& pressNow, int presses = 1);

// Runs a shell command line; its exit status.
int RunShell(const std::string& command);

// A fresh folder under $TMPDIR, removed with its contents at the end of the test.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string RandomBytes(std::size_t n, std::uint32_t seed);
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
// File names in folder, sorted.
std::vector<std::string> ListFolder(const std::string& folder);

} // namespace zol::test
