#include "ArchiveSupport.h"

#include "crc16.h"
#include "member_header.h"
#include "unlha32.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace unlha_test {

ScratchDir::ScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "unlha-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void WriteFile(const std::string& path, const Bytes& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
    ASSERT_TRUE(out.good()) << path;
}

void WriteText(const std::string& path, const std::string& text) {
    WriteFile(path, Bytes(text.begin(), text.end()));
}

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

void MakeDirs(const std::string& path) {
    fs::create_directories(path);
}

std::int64_t ModificationTime(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_mtime : -1;
}

void SetModificationTime(const std::string& path, std::int64_t seconds) {
    struct timespec times[2] = {{static_cast<time_t>(seconds), 0},
                                {static_cast<time_t>(seconds), 0}};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
}

Bytes RandomBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 random(seed);
    Bytes data(size);
    for (auto& b : data) {
        b = static_cast<std::uint8_t>(random());
    }
    return data;
}

Bytes RepetitiveText(std::size_t size) {
    const std::string line = "the quick brown floppy jumps over the lazy archive 0123456789\n";
    Bytes data;
    while (data.size() < size) {
        data.insert(data.end(), line.begin(), line.end());
    }
    data.resize(size);
    return data;
}

CommandResult RunUnlha(const std::string& command) {
    std::vector<char> output(32000, 'X');
    const int result = Unlha(0, command.c_str(), output.data(), 32000);
    return {result, std::string(output.data())};
}

ToolResult RunTool(const std::string& shellCommand) {
    ToolResult r{-1, ""};
    FILE* pipe = popen((shellCommand + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return r;
    }
    char chunk[4096];
    std::size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0) {
        r.output.append(chunk, n);
    }
    const int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

bool HaveTool(const std::string& name) {
    return RunTool("command -v " + name + " >/dev/null").status == 0;
}

std::string Quote(const std::string& path) {
    return "'" + path + "'";
}

std::vector<std::string> TreeListing(const std::string& root) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string name = fs::relative(entry.path(), root).string();
        if (entry.is_directory()) {
            name += "/";
        }
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

Bytes Level0Member(const std::string& storedName, const Bytes& data, std::uint32_t dosTime) {
    Bytes h;
    const std::string method = "-lh0-";
    h.insert(h.end(), method.begin(), method.end());
    for (int i = 0; i < 4; ++i) {
        h.push_back(static_cast<std::uint8_t>(data.size() >> (8 * i)));
    }
    for (int i = 0; i < 4; ++i) {
        h.push_back(static_cast<std::uint8_t>(data.size() >> (8 * i)));
    }
    for (int i = 0; i < 4; ++i) {
        h.push_back(static_cast<std::uint8_t>(dosTime >> (8 * i)));
    }
    h.push_back(0x20); // attribute
    h.push_back(0);    // level
    h.push_back(static_cast<std::uint8_t>(storedName.size()));
    h.insert(h.end(), storedName.begin(), storedName.end());
    const std::uint16_t crc = unlha::Crc16(data.data(), data.size());
    h.push_back(static_cast<std::uint8_t>(crc));
    h.push_back(static_cast<std::uint8_t>(crc >> 8));
    unsigned sum = 0;
    for (auto b : h) {
        sum += b;
    }
    Bytes member(h.size() + 2);
    member[0] = static_cast<std::uint8_t>(h.size());
    member[1] = static_cast<std::uint8_t>(sum);
    std::copy(h.begin(), h.end(), member.begin() + 2);
    member.insert(member.end(), data.begin(), data.end());
    return member;
}

Bytes Archive(const std::vector<Bytes>& members) {
    Bytes image;
    for (const auto& m : members) {
        image.insert(image.end(), m.begin(), m.end());
    }
    image.push_back(0);
    return image;
}

Bytes Level2Member(const std::string& path, const Bytes& data, const std::string& method) {
    unlha::MemberHeader h;
    h.method = method;
    h.path = path;
    h.originalSize = data.size();
    h.compressedSize = data.size();
    h.crc = unlha::Crc16(data.data(), data.size());
    h.mtime = 1000000000;
    Bytes member = unlha::BuildLevel2Header(h);
    member.insert(member.end(), data.begin(), data.end());
    return member;
}

} // namespace unlha_test
