#include "ZolRun.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <pty.h>
#include <random>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace zol::test {

namespace {

[[noreturn]] void execZol(const std::vector<std::string>& args, const std::string& cwd,
                          const std::vector<std::string>& extraEnv) {
    if (chdir(cwd.c_str()) != 0) {
        _exit(127);
    }
    for (const auto& assignment : extraEnv) {
        putenv(const_cast<char*>(assignment.c_str()));
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(ZOL_BINARY));
    for (const auto& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    execv(ZOL_BINARY, argv.data());
    _exit(127);
}

int decodeStatus(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Starts zol with standard input from /dev/null, standard output to outPath and standard
// error to errFd or, when that is -1, to errPath.
pid_t startZol(const std::vector<std::string>& args, const std::string& cwd,
               const std::vector<std::string>& extraEnv, const std::string& outPath,
               const std::string& errPath, int errFd) {
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err =
            errFd >= 0 ? errFd : open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int devNull = open("/dev/null", O_RDONLY);
        dup2(devNull, 0);
        dup2(out, 1);
        dup2(err, 2);
        execZol(args, cwd, extraEnv);
    }
    return pid;
}

} // namespace

ZolResult RunZol(const std::vector<std::string>& args, const std::string& cwd, Stderr stderrKind,
                 const std::vector<std::string>& extraEnv) {
    const ScratchDir capture;
    const std::string outPath = capture / "out";
    const std::string errPath = capture / "err";
    int master = -1;
    int slave = -1;
    if (stderrKind == Stderr::Terminal &&
        openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
        throw std::runtime_error("openpty failed");
    }
    const pid_t pid = startZol(args, cwd, extraEnv, outPath, errPath, slave);
    ZolResult result;
    if (slave >= 0) {
        close(slave);
        char buffer[4096];
        for (;;) {
            const ssize_t n = read(master, buffer, sizeof buffer);
            if (n > 0) {
                result.err.append(buffer, static_cast<std::size_t>(n));
            } else if (n < 0 && errno == EINTR) {
                continue;
            } else {
                break; // EIO once the child has closed the terminal
            }
        }
        close(master);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = decodeStatus(status);
    result.out = ReadFile(outPath);
    if (slave < 0) {
        result.err = ReadFile(errPath);
    }
    return result;
}

ZolResult RunZolWithCtrlC(const std::vector<std::string>& args, const std::string& cwd,
                          const std::function<bool()>& pressNow, int presses) {
    const ScratchDir capture;
    const std::string outPath = capture / "out";
    const std::string errPath = capture / "err";
    const pid_t pid = startZol(args, cwd, {}, outPath, errPath, -1);
    int status = 0;
    int pressed = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (pressed < presses && (pressed > 0 || pressNow())) {
            kill(pid, SIGINT);
            ++pressed;
            usleep(pressed < presses ? 50000 : 1000);
        } else {
            usleep(1000);
        }
    }
    return {decodeStatus(status), ReadFile(outPath), ReadFile(errPath)};
}

int RunShell(const std::string& command) {
    const int status = std::system(command.c_str());
    return decodeStatus(status);
}

ScratchDir::ScratchDir() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/zol-cli-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string RandomBytes(std::size_t n, std::uint32_t seed) {
    std::mt19937 generator(seed);
    std::string bytes(n, '\0');
    for (auto& c : bytes) {
        c = static_cast<char>(generator() & 0xFF);
    }
    return bytes;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace zol::test
