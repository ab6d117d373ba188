// Archives of any bytes: listed through the listing calls, tested and extracted into a
// scratch folder, which must afterwards hold nothing but what was extracted into it. The
// scratch folder (/tmp/unlha-fuzz-XXXXXX) is left empty when the fuzzer ends.
#include "unlha32.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ftw.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
    return remove(path);
}

const std::string& Scratch() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/unlha-fuzz-XXXXXX";
        const char* made = mkdtemp(pattern);
        if (made == nullptr) {
            std::abort();
        }
        return std::string(made);
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string archive = Scratch() + "/input.lzh";
    const std::string dest = Scratch() + "/out";
    FILE* file = std::fopen(archive.c_str(), "wb");
    if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::abort();
    }
    HARC arc = UnlhaOpenArchive(0, archive.c_str(), 1);
    if (arc != 0) {
        INDIVIDUALINFO info;
        int members = 0;
        for (int r = UnlhaFindFirst(arc, "*.*", &info); r == 0; r = UnlhaFindNext(arc, &info)) {
            if (++members > 1000000) {
                __builtin_trap(); // the listing must end
            }
            char name[600];
            UnlhaGetFileName(arc, name, sizeof name);
            UnlhaGetCRC(arc);
        }
        UnlhaGetArcOriginalSize(arc);
        UnlhaCloseArchive(arc);
    }
    static char output[32000];
    Unlha(0, ("t \"" + archive + "\"").c_str(), output, sizeof output);
    Unlha(0, ("x -m1 \"" + archive + "\" \"" + dest + "/\"").c_str(), output, sizeof output);
    nftw(dest.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
    unlink(archive.c_str());
    // Anything left in the scratch folder was written outside the destination.
    if (rmdir(Scratch().c_str()) != 0 || mkdir(Scratch().c_str(), 0700) != 0) {
        __builtin_trap();
    }
    return 0;
}
