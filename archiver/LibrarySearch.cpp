#include "LibrarySearch.h"

#include <cstddef>
#include <cstring>
#include <dlfcn.h>
#include <memory>
#include <string>

namespace zol {

void* OpenProgramLibrary(const char* fileName, int flags) {
    if (void* handle = dlopen(fileName, flags))
        return handle;
    if (std::strchr(fileName, '/') != nullptr)
        return nullptr;
    void* program = dlopen(nullptr, RTLD_NOW);
    Dl_serinfo size;
    if (program == nullptr || dlinfo(program, RTLD_DI_SERINFOSIZE, &size) != 0)
        return nullptr;
    const auto storage = std::make_unique<std::max_align_t[]>(
        (size.dls_size + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t));
    auto* paths = reinterpret_cast<Dl_serinfo*>(storage.get());
    *paths = size;
    void* handle = nullptr;
    if (dlinfo(program, RTLD_DI_SERINFOSIZE, paths) == 0 &&
        dlinfo(program, RTLD_DI_SERINFO, paths) == 0) {
        for (unsigned i = 0; i < paths->dls_cnt && handle == nullptr; ++i) {
            const std::string path = std::string(paths->dls_serpath[i].dls_name) + "/" + fileName;
            handle = dlopen(path.c_str(), flags);
        }
    }
    dlclose(program);
    return handle;
}

} // namespace zol
