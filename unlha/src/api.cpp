// The 41 calls of the library's C interface.
#include "archive_reader.h"
#include "commands.h"
#include "dos_time.h"
#include "member_data.h"
#include "member_info.h"
#include "unlha32.h"
#include "wildcard.h"

#include <atomic>
#include <cstring>
#include <mutex>
#include <set>

namespace {

constexpr std::uint16_t kVersion = 100;
constexpr std::uint16_t kSubVersion = 0;
constexpr int32_t kFunctionCount = 41;

// An archive opened by UnlhaOpenArchive: its members and where the search stands.
struct Listing {
    unlha::ArchiveReader archive;
    std::string path;
    std::string wildcard;
    std::size_t next = 0;
    const unlha::Member* current = nullptr;
};

// What the library keeps between calls.
struct LibraryState {
    std::mutex commandLock; // one command at a time
    std::atomic<int32_t> running{0};
    std::mutex listingsLock;
    std::set<Listing*> listings;
    std::atomic<int32_t> backgroundMode{0};
    std::atomic<int32_t> cursorMode{0};
    std::atomic<uint16_t> cursorInterval{80};
    std::atomic<UNLHA_HWND> owner{0};
};

LibraryState& State() {
    static LibraryState state;
    return state;
}

// The listing behind a handle, or null for a handle that is not open.
Listing* Find(HARC handle) {
    LibraryState& state = State();
    std::lock_guard<std::mutex> lock(state.listingsLock);
    auto* listing = reinterpret_cast<Listing*>(handle);
    return state.listings.count(listing) != 0 ? listing : nullptr;
}

const unlha::MemberHeader* Current(HARC handle) {
    const Listing* listing = Find(handle);
    return listing != nullptr && listing->current != nullptr ? &listing->current->header : nullptr;
}

int32_t CopyText(const std::string& text, char* buffer, int32_t size) {
    if (buffer == nullptr || size <= 0) {
        return UNLHA_ERROR_CANNOT_WRITE;
    }
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return length == text.size() ? 0 : UNLHA_ERROR_CANNOT_WRITE;
}

int32_t Advance(Listing& listing, INDIVIDUALINFO* info) {
    const auto& members = listing.archive.Members();
    while (listing.next < members.size()) {
        const unlha::Member& m = members[listing.next++];
        if (unlha::MemberMatches(listing.wildcard, m.header.path)) {
            listing.current = &m;
            if (info != nullptr) {
                unlha::FillInfo(m.header, *info);
            }
            return 0;
        }
    }
    listing.current = nullptr;
    return -1;
}

std::uint32_t ArchiveDos(HARC handle) {
    const Listing* listing = Find(handle);
    return listing == nullptr ? 0xFFFFFFFFu : unlha::UnixToDos(listing->archive.FileTime());
}

template <typename F> std::uint64_t SumMembers(const Listing* listing, F field) {
    std::uint64_t sum = 0;
    for (const auto& m : listing->archive.Members()) {
        sum += field(m.header);
    }
    return sum;
}

} // namespace

extern "C" {

uint16_t UnlhaGetVersion(void) {
    return kVersion;
}
uint16_t UnlhaGetSubVersion(void) {
    return kSubVersion;
}
int32_t UnlhaGetRunning(void) {
    return State().running.load() != 0 ? 1 : 0;
}
int32_t UnlhaGetBackGroundMode(void) {
    return State().backgroundMode.load();
}
int32_t UnlhaSetBackGroundMode(int32_t mode) {
    State().backgroundMode = mode != 0 ? 1 : 0;
    return 0;
}
int32_t UnlhaGetCursorMode(void) {
    return State().cursorMode.load();
}
int32_t UnlhaSetCursorMode(int32_t mode) {
    State().cursorMode = mode != 0 ? 1 : 0;
    return 0;
}
uint16_t UnlhaGetCursorInterval(void) {
    return State().cursorInterval.load();
}
int32_t UnlhaSetCursorInterval(uint16_t interval) {
    State().cursorInterval = interval;
    return 0;
}

int32_t Unlha(UNLHA_HWND, const char* command, char* output, uint32_t size) {
    LibraryState& state = State();
    unlha::Report report;
    std::unique_lock<std::mutex> lock(state.commandLock, std::try_to_lock);
    if (!lock.owns_lock()) {
        report.Fail(UNLHA_ERROR_ALREADY_RUNNING, "unlha: another command is running");
    } else if (command == nullptr) {
        report.Fail(UNLHA_ERROR_COMMAND_NAME, "unlha: no command");
    } else {
        ++state.running;
        unlha::RunCommand(command, report);
        --state.running;
    }
    report.CopyTo(output, size);
    return report.Result();
}

int32_t UnlhaCheckArchive(const char* path, int32_t mode) {
    if (path == nullptr) {
        return 0;
    }
    unlha::ArchiveReader archive;
    if (archive.Open(path) != unlha::OpenStatus::Ok) {
        return 0;
    }
    if (mode != 0) {
        for (const unlha::Member& m : archive.Members()) {
            const auto ignore = [](const std::uint8_t*, std::size_t) { return true; };
            if (!m.header.IsDirectory() &&
                unlha::DecodeMember(archive, m, ignore) != unlha::MemberOutcome::Ok) {
                return 0;
            }
        }
    }
    return 1;
}

int32_t UnlhaConfigDialog(UNLHA_HWND, char* buffer, int32_t) {
    // There is nothing to configure: no default switches.
    if (buffer != nullptr) {
        buffer[0] = '\0';
    }
    return 0;
}

int32_t UnlhaGetFileCount(const char* path) {
    if (path == nullptr) {
        return -1;
    }
    unlha::ArchiveReader archive;
    if (archive.Open(path) != unlha::OpenStatus::Ok) {
        return -1;
    }
    return static_cast<int32_t>(archive.Members().size());
}

HARC UnlhaOpenArchive(UNLHA_HWND, const char* path, uint32_t) {
    if (path == nullptr) {
        return 0;
    }
    auto* listing = new Listing;
    listing->path = path;
    if (listing->archive.Open(path) != unlha::OpenStatus::Ok) {
        delete listing;
        return 0;
    }
    LibraryState& state = State();
    std::lock_guard<std::mutex> lock(state.listingsLock);
    state.listings.insert(listing);
    return reinterpret_cast<HARC>(listing);
}

int32_t UnlhaCloseArchive(HARC archive) {
    LibraryState& state = State();
    std::lock_guard<std::mutex> lock(state.listingsLock);
    auto* listing = reinterpret_cast<Listing*>(archive);
    if (state.listings.erase(listing) == 0) {
        return UNLHA_ERROR_HARC_ISNOT_OPENED;
    }
    delete listing;
    return 0;
}

int32_t UnlhaFindFirst(HARC archive, const char* wildcard, INDIVIDUALINFO* info) {
    Listing* listing = Find(archive);
    if (listing == nullptr) {
        return -1;
    }
    listing->wildcard = wildcard == nullptr || *wildcard == '\0' ? "*" : wildcard;
    listing->next = 0;
    return Advance(*listing, info);
}

int32_t UnlhaFindNext(HARC archive, INDIVIDUALINFO* info) {
    Listing* listing = Find(archive);
    if (listing == nullptr || listing->wildcard.empty()) {
        return -1;
    }
    return Advance(*listing, info);
}

int32_t UnlhaGetArcFileName(HARC archive, char* buffer, int32_t size) {
    const Listing* listing = Find(archive);
    return listing == nullptr ? UNLHA_ERROR_HARC_ISNOT_OPENED
                              : CopyText(listing->path, buffer, size);
}

uint32_t UnlhaGetArcFileSize(HARC archive) {
    const Listing* listing = Find(archive);
    return listing == nullptr ? 0xFFFFFFFFu : static_cast<uint32_t>(listing->archive.Size());
}

uint32_t UnlhaGetArcOriginalSize(HARC archive) {
    const Listing* listing = Find(archive);
    return listing == nullptr ? 0xFFFFFFFFu
                              : static_cast<uint32_t>(SumMembers(
                                    listing, [](const auto& h) { return h.originalSize; }));
}

uint32_t UnlhaGetArcCompressedSize(HARC archive) {
    const Listing* listing = Find(archive);
    return listing == nullptr ? 0xFFFFFFFFu
                              : static_cast<uint32_t>(SumMembers(
                                    listing, [](const auto& h) { return h.compressedSize; }));
}

uint16_t UnlhaGetArcRatio(HARC archive) {
    const Listing* listing = Find(archive);
    if (listing == nullptr) {
        return 0xFFFF;
    }
    return unlha::Ratio(SumMembers(listing, [](const auto& h) { return h.compressedSize; }),
                        SumMembers(listing, [](const auto& h) { return h.originalSize; }));
}

uint16_t UnlhaGetArcDate(HARC archive) {
    return static_cast<uint16_t>(ArchiveDos(archive) >> 16);
}
uint16_t UnlhaGetArcTime(HARC archive) {
    return static_cast<uint16_t>(ArchiveDos(archive));
}

uint32_t UnlhaGetArcOSType(HARC archive) {
    const Listing* listing = Find(archive);
    if (listing == nullptr) {
        return 0xFFFFFFFFu;
    }
    return listing->archive.Members().empty() ? 0 : listing->archive.Members()[0].header.osId;
}

int32_t UnlhaGetFileName(HARC archive, char* buffer, int32_t size) {
    const unlha::MemberHeader* h = Current(archive);
    return h == nullptr ? UNLHA_ERROR_NOT_SEARCH_MODE : CopyText(h->path, buffer, size);
}

int32_t UnlhaGetMethod(HARC archive, char* buffer, int32_t size) {
    const unlha::MemberHeader* h = Current(archive);
    return h == nullptr ? UNLHA_ERROR_NOT_SEARCH_MODE : CopyText(h->method, buffer, size);
}

uint32_t UnlhaGetOriginalSize(HARC archive) {
    const unlha::MemberHeader* h = Current(archive);
    return h == nullptr ? 0xFFFFFFFFu : static_cast<uint32_t>(h->originalSize);
}

uint32_t UnlhaGetCompressedSize(HARC archive) {
    const unlha::MemberHeader* h = Current(archive);
    return h == nullptr ? 0xFFFFFFFFu : static_cast<uint32_t>(h->compressedSize);
}

uint16_t UnlhaGetRatio(HARC archive) {
    const unlha::MemberHeader* h = Current(archive);
    return h == nullptr ? 0xFFFF : unlha::Ratio(h->compressedSize, h->originalSize);
}

uint16_t UnlhaGetDate(HARC archive) {
    const unlha::MemberHeader* h = Current(archive);
    return h == nullptr ? 0xFFFF : static_cast<uint16_t>(unlha::UnixToDos(h->mtime) >> 16);
}

uint16_t UnlhaGetTime(HARC archive) {
    const unlha::MemberHeader* h = Current(archive);
    return h == nullptr ? 0xFFFF : static_cast<uint16_t>(unlha::UnixToDos(h->mtime));
}

uint32_t UnlhaGetWriteTime(HARC archive) {
    const unlha::MemberHeader* h = Current(archive);
    return h == nullptr ? 0xFFFFFFFFu : static_cast<uint32_t>(h->mtime);
}

uint32_t UnlhaGetAccessTime(HARC archive) {
    const unlha::MemberHeader* h = Current(archive);
    return h == nullptr || !h->accessTime ? 0xFFFFFFFFu : static_cast<uint32_t>(*h->accessTime);
}

uint32_t UnlhaGetCreateTime(HARC archive) {
    const unlha::MemberHeader* h = Current(archive);
    return h == nullptr || !h->createTime ? 0xFFFFFFFFu : static_cast<uint32_t>(*h->createTime);
}

uint32_t UnlhaGetCRC(HARC archive) {
    const unlha::MemberHeader* h = Current(archive);
    return h == nullptr ? 0xFFFFFFFFu : h->crc;
}

int32_t UnlhaGetAttribute(HARC archive) {
    const unlha::MemberHeader* h = Current(archive);
    return h == nullptr ? -1 : h->dosAttribute;
}

uint32_t UnlhaGetOSType(HARC archive) {
    const unlha::MemberHeader* h = Current(archive);
    return h == nullptr ? 0xFFFFFFFFu : h->osId;
}

int32_t UnlhaQueryFunctionList(int32_t function) {
    return function >= 0 && function < kFunctionCount ? 1 : 0;
}

int32_t UnlhaSetOwnerWindow(UNLHA_HWND window) {
    State().owner = window;
    return 0;
}

int32_t UnlhaClearOwnerWindow(void) {
    State().owner = 0;
    return 0;
}

} // extern "C"
