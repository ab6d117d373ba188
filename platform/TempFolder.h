#pragma once

#include <string>

namespace zol {

// The program's private temporary folder: made with mkdtemp under $TMPDIR (or /tmp) on
// first use, removed with everything in it when this object goes.
class TempFolder {
public:
    TempFolder() = default;
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    // The folder's path, ending with "/"; empty when it could not be made.
    const std::string& path();

private:
    std::string path_;
};

} // namespace zol
