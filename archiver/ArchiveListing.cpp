#include "ArchiveListing.h"

#include "ArchiverBinding.h"

namespace zol {

void ListArchiveMembers(UNLHA_HWND window, const std::string& path,
                        const std::function<void(const INDIVIDUALINFO&)>& member,
                        std::size_t limit) {
    const std::string wildcard = "*.*";
    const HARC archive = ArchiverEntries.UnlhaOpenArchive(window, path.c_str(), 1);
    INDIVIDUALINFO info{};
    std::int32_t found = ArchiverEntries.UnlhaFindFirst(archive, wildcard.c_str(), &info);
    // A fallback's 0 means "not loaded", not "member found": its record was never filled.
    const bool firstUnbound = ArchiverEntries.UnlhaFindFirst == ArchiverFallbacks.UnlhaFindFirst;
    const bool nextUnbound = ArchiverEntries.UnlhaFindNext == ArchiverFallbacks.UnlhaFindNext;
    std::size_t delivered = 0;
    bool filled = found == 0 && !firstUnbound;
    while (filled && delivered < limit) {
        member(info);
        ++delivered;
        found = ArchiverEntries.UnlhaFindNext(archive, &info);
        filled = found == 0 && !nextUnbound;
    }
    ArchiverEntries.UnlhaCloseArchive(archive);
}

} // namespace zol
