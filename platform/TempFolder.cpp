#include "platform/TempFolder.h"

#include <cstdio>
#include <cstdlib>
#include <ftw.h>

namespace zol {

namespace {

int removeEntry(const char* path, const struct stat*, int, FTW*) {
    return std::remove(path);
}

} // namespace

TempFolder::~TempFolder() {
    if (!path_.empty()) {
        nftw(path_.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
    }
}

const std::string& TempFolder::path() {
    if (path_.empty()) {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = base != nullptr && *base != '\0' ? base : "/tmp";
        if (pattern.back() != '/') {
            pattern += '/';
        }
        pattern += "tessmarc-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern + "/";
        }
    }
    return path_;
}

} // namespace zol
