#pragma once

#include "ArchiverEntryList.h"
#include "unlha32.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace zol {

// The library's entries as the program calls them. Every slot starts on a fallback of the same
// signature that shows the not-loaded box and returns 0; binding replaces the slots whose names
// the library exports.
struct ArchiverEntryTable {
#define ZOL_ARCHIVER_SLOT(name, message) decltype(&::name) name;
    ZOL_ARCHIVER_ENTRY_LIST(ZOL_ARCHIVER_SLOT)
#undef ZOL_ARCHIVER_SLOT
};

constexpr std::size_t ArchiverEntryCount = 41;

// The loaded library's handle; null while the library is not loaded.
extern void* ArchiverModule;
// The table the viewer calls through. Written only by BindArchiverLibrary.
extern ArchiverEntryTable ArchiverEntries;
// Every slot on its fallback: what ArchiverEntries holds before binding and where a lookup
// failed.
extern const ArchiverEntryTable ArchiverFallbacks;

// The file name the program loads at start-up, found beside the program or on the library path.
inline constexpr const char* ArchiverLibraryName = "libunlha32.so";

// Puts every slot on its fallback, loads the library and looks the 41 names up in slot order.
// A missing library leaves every slot on its fallback and shows nothing.
void BindArchiverLibrary();
void BindArchiverLibrary(const char* fileName);
// Frees the library when it was loaded.
void ReleaseArchiverLibrary();

// Shows "<messageName>: LHA.DLL not loaded." in a box of its own (caption "PANIC!!", error
// icon, OK).
void ReportEntryNotLoaded(const char* messageName);

// The box ReportEntryNotLoaded shows: text, caption and mb:: flags, with no owner window. The
// application installs one that reaches its dialogs; until then the text goes to stderr.
using OwnerlessMessageBox =
    std::function<void(const std::string& text, const std::string& caption, unsigned flags)>;
void SetOwnerlessMessageBox(OwnerlessMessageBox box);

// One slot as it stands: its names, the address it holds and its fallback's address.
struct ArchiverSlot {
    const char* lookupName;
    const char* messageName;
    void* entry;
    void* fallback;
};
// The 41 slots in table order.
std::vector<ArchiverSlot> DescribeArchiverEntries();

} // namespace zol
