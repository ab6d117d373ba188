#include "ArchiverBinding.h"

#include "LibrarySearch.h"
#include "engine/MessageBox.h"

#include <cstdio>
#include <dlfcn.h>
#include <utility>

namespace zol {

namespace {

OwnerlessMessageBox& messageBoxSeam() {
    static OwnerlessMessageBox box;
    return box;
}

// A fallback with the entry's own signature: it reports the entry and answers 0.
template <typename Entry> struct Fallback;
template <typename Result, typename... Args> struct Fallback<Result (*)(Args...)> {
    template <const char* MessageName> static Result call(Args...) {
        ReportEntryNotLoaded(MessageName);
        return Result{};
    }
};

namespace message {
#define ZOL_ARCHIVER_MESSAGE(name, text) constexpr char name[] = text;
ZOL_ARCHIVER_ENTRY_LIST(ZOL_ARCHIVER_MESSAGE)
#undef ZOL_ARCHIVER_MESSAGE
} // namespace message

} // namespace

constexpr ArchiverEntryTable ArchiverFallbacks = {
#define ZOL_ARCHIVER_FALLBACK(name, text) &Fallback<decltype(&::name)>::call<message::name>,
    ZOL_ARCHIVER_ENTRY_LIST(ZOL_ARCHIVER_FALLBACK)
#undef ZOL_ARCHIVER_FALLBACK
};

namespace {

template <typename Entry> void* address(Entry entry) {
    return reinterpret_cast<void*>(entry);
}

} // namespace

void* ArchiverModule = nullptr;
ArchiverEntryTable ArchiverEntries = ArchiverFallbacks;

void BindArchiverLibrary() {
    BindArchiverLibrary(ArchiverLibraryName);
}

void BindArchiverLibrary(const char* fileName) {
    ArchiverModule = nullptr;
    ArchiverEntries = ArchiverFallbacks;
    ArchiverModule = OpenProgramLibrary(fileName, RTLD_NOW | RTLD_LOCAL);
    if (ArchiverModule == nullptr)
        return;
#define ZOL_ARCHIVER_LOOKUP(name, text)                                                            \
    if (void* found = dlsym(ArchiverModule, #name))                                                \
        ArchiverEntries.name = reinterpret_cast<decltype(&::name)>(found);
    ZOL_ARCHIVER_ENTRY_LIST(ZOL_ARCHIVER_LOOKUP)
#undef ZOL_ARCHIVER_LOOKUP
}

void ReleaseArchiverLibrary() {
    if (ArchiverModule == nullptr)
        return;
    dlclose(ArchiverModule);
    // A second release must not free the library twice.
    ArchiverModule = nullptr;
}

void ReportEntryNotLoaded(const char* messageName) {
    const std::string text = std::string(messageName) + ": LHA.DLL not loaded.";
    if (messageBoxSeam())
        messageBoxSeam()(text, "PANIC!!", mb::IconError | mb::Ok);
    else
        std::fprintf(stderr, "PANIC!!: %s\n", text.c_str());
}

void SetOwnerlessMessageBox(OwnerlessMessageBox box) {
    messageBoxSeam() = std::move(box);
}

std::vector<ArchiverSlot> DescribeArchiverEntries() {
    return {
#define ZOL_ARCHIVER_DESCRIBE(name, text)                                                          \
    {#name, text, address(ArchiverEntries.name), address(ArchiverFallbacks.name)},
        ZOL_ARCHIVER_ENTRY_LIST(ZOL_ARCHIVER_DESCRIBE)
#undef ZOL_ARCHIVER_DESCRIBE
    };
}

} // namespace zol
