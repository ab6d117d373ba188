#include "ArchiveListing.h"

#include "ArchiverBinding.h"

namespace zol {

void ListArchiveMembers(UNLHA_HWND window, const std::string& path,
                        const std::function<void(const INDIVIDUALINFO&)>& member) {
    const std::string wildcard = "*.*";
    const HARC archive = ArchiverEntries.UnlhaOpenArchive(window, path.c_str(), 1);
    // A fallback's 0 means "not loaded", not "member found": its record was never filled.
    const bool firstUnbound = ArchiverEntries.UnlhaFindFirst == ArchiverFallbacks.UnlhaFindFirst;
    const bool nextUnbound = ArchiverEntries.UnlhaFindNext == ArchiverFallbacks.UnlhaFindNext;
    INDIVIDUALINFO info{};
    bool filled =
        ArchiverEntries.UnlhaFindFirst(archive, wildcard.c_str(), &info) == 0 && !firstUnbound;
    for (std::size_t delivered = 0; filled && delivered < MaxListedMembers; ++delivered) {
        member(info);
        filled = ArchiverEntries.UnlhaFindNext(archive, &info) == 0 && !nextUnbound;
    }
    ArchiverEntries.UnlhaCloseArchive(archive);
}

} // namespace zol
