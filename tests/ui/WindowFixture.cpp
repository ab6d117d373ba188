#include "WindowFixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace zol::test {

std::string SimulatedDrives::driveRoot(const std::string& path) {
    if (path.empty())
        return {};
    return isRemovable(path) ? removableRoot : std::string("/");
}

bool SimulatedDrives::isRemovable(const std::string& path) {
    return !removableRoot.empty() && !path.empty() && (path + "/").rfind(removableRoot, 0) == 0;
}

WindowTest::WindowTest() {
    drives_.removableRoot = makeFolder("floppy");
}

void WindowTest::makeWindow(const QStringList& arguments) {
    win_ = std::make_unique<TZOLMain>(dialogs_, drives_, temp_, arguments);
}

std::string WindowTest::scratch(const std::string& name) const {
    return dir_.path().toStdString() + "/" + name;
}

std::string WindowTest::makeFolder(const std::string& name) const {
    std::filesystem::create_directories(scratch(name));
    return scratch(name) + "/";
}

std::string WindowTest::writeFile(const std::string& name, std::size_t size, char seed) const {
    const std::string path = scratch(name);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(seed + (i * 7919 % 251));
    std::ofstream(path, std::ios::binary).write(bytes.data(), bytes.size());
    return path;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

} // namespace zol::test
