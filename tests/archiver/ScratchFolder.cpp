#include "ScratchFolder.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <sys/wait.h>

namespace zol::test {

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zol-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void WritePatternFile(const std::string& path, std::size_t size, unsigned seed) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::mt19937 random(seed);
    std::string data(size, '\0');
    // Runs of repeated words make the data compressible, as real files are.
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<char>(random() % 4 == 0 ? random() : 'a' + (i / 16) % 26);
    std::ofstream(path, std::ios::binary).write(data.data(), static_cast<std::streamsize>(size));
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string RunShell(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return "popen failed";
    std::string output;
    char chunk[4096];
    std::size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0)
        output.append(chunk, n);
    const int status = pclose(pipe);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        output += "exit " + std::to_string(WEXITSTATUS(status));
    return output;
}

} // namespace zol::test
