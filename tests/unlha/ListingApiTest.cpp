// The listing calls and the other entries of the C interface.
#include "ArchiveSupport.h"
#include "crc16.h"
#include "dos_time.h"
#include "unlha32.h"

#include <cstddef>
#include <cstring>
#include <dlfcn.h>
#include <gtest/gtest.h>

using namespace unlha_test;

static_assert(sizeof(INDIVIDUALINFO) == 558);
static_assert(offsetof(INDIVIDUALINFO, dwOriginalSize) == 0);
static_assert(offsetof(INDIVIDUALINFO, dwCompressedSize) == 4);
static_assert(offsetof(INDIVIDUALINFO, dwCRC) == 8);
static_assert(offsetof(INDIVIDUALINFO, wRatio) == 20);
static_assert(offsetof(INDIVIDUALINFO, wDate) == 22);
static_assert(offsetof(INDIVIDUALINFO, wTime) == 24);
static_assert(offsetof(INDIVIDUALINFO, szFileName) == 26);
static_assert(offsetof(INDIVIDUALINFO, szAttribute) == 542);
static_assert(offsetof(INDIVIDUALINFO, szMode) == 550);

namespace {

class ListingFixture : public ::testing::Test {
protected:
    void SetUp() override {
        MakeDirs(dir_ / "src/docs");
        WriteFile(dir_ / "src/readme.txt", RepetitiveText(20000));
        WriteFile(dir_ / "src/docs/noise.bin", RandomBytes(1000, 2));
        // 2003-04-05 06:07:08 local time.
        mtime_ = unlha::DosToUnix(((23u << 9 | 4u << 5 | 5u) << 16) | (6u << 11 | 7u << 5 | 4u));
        SetModificationTime(dir_ / "src/readme.txt", mtime_);
        ASSERT_EQ(RunUnlha("a -d1 " + (dir_ / "arc") + " " + (dir_ / "src/") + " *.*").result, 0);
        path_ = dir_ / "arc.lzh";
    }

    ScratchDir dir_;
    std::string path_;
    std::int64_t mtime_ = 0;
};

} // namespace

TEST_F(ListingFixture, RecordsCarryTheMembersFields) {
    HARC arc = UnlhaOpenArchive(0, path_.c_str(), 1);
    ASSERT_NE(arc, 0u);
    INDIVIDUALINFO info;
    std::memset(&info, 0x55, sizeof info);
    ASSERT_EQ(UnlhaFindFirst(arc, "*.*", &info), 0);
    EXPECT_STREQ(info.szFileName, "docs/");
    EXPECT_STREQ(info.szMode, "-lhd-");
    EXPECT_EQ(info.szAttribute[0], 'd');
    ASSERT_EQ(UnlhaFindNext(arc, &info), 0);
    EXPECT_STREQ(info.szFileName, "docs/noise.bin");
    EXPECT_STREQ(info.szMode, "-lh0-");
    EXPECT_EQ(info.dwOriginalSize, 1000u);
    EXPECT_EQ(info.dwCompressedSize, 1000u);
    EXPECT_EQ(info.wRatio, 1000);
    ASSERT_EQ(UnlhaFindNext(arc, &info), 0);
    EXPECT_STREQ(info.szFileName, "readme.txt");
    EXPECT_STREQ(info.szMode, "-lh5-");
    EXPECT_STREQ(info.szAttribute, "---a-w");
    EXPECT_EQ(info.dwOriginalSize, 20000u);
    EXPECT_LT(info.dwCompressedSize, 2000u);
    EXPECT_EQ(info.wRatio, info.dwCompressedSize * 1000 / 20000);
    EXPECT_EQ(info.wDate, (23u << 9) | (4u << 5) | 5u);
    EXPECT_EQ(info.wTime, (6u << 11) | (7u << 5) | 4u);
    EXPECT_EQ(info.uOSType, static_cast<std::uint32_t>('U'));
    EXPECT_EQ(info.uFlag, 0u);
    const Bytes data = RepetitiveText(20000);
    EXPECT_EQ(info.dwCRC, unlha::Crc16(data.data(), data.size()));
    // The getters describe the member just found.
    char name[64];
    EXPECT_EQ(UnlhaGetFileName(arc, name, sizeof name), 0);
    EXPECT_STREQ(name, "readme.txt");
    EXPECT_EQ(UnlhaGetMethod(arc, name, sizeof name), 0);
    EXPECT_STREQ(name, "-lh5-");
    EXPECT_EQ(UnlhaGetOriginalSize(arc), 20000u);
    EXPECT_EQ(UnlhaGetCompressedSize(arc), info.dwCompressedSize);
    EXPECT_EQ(UnlhaGetRatio(arc), info.wRatio);
    EXPECT_EQ(UnlhaGetDate(arc), info.wDate);
    EXPECT_EQ(UnlhaGetTime(arc), info.wTime);
    EXPECT_EQ(UnlhaGetWriteTime(arc), static_cast<std::uint32_t>(mtime_));
    EXPECT_EQ(UnlhaGetCRC(arc), info.dwCRC);
    EXPECT_EQ(UnlhaGetAttribute(arc), 0x20);
    EXPECT_EQ(UnlhaGetOSType(arc), static_cast<std::uint32_t>('U'));
    EXPECT_NE(UnlhaGetAccessTime(arc), 0xFFFFFFFFu);
    EXPECT_EQ(UnlhaFindNext(arc, &info), -1);
    EXPECT_EQ(UnlhaFindNext(arc, &info), -1) << "the end stays the end";
    EXPECT_EQ(UnlhaGetFileName(arc, name, sizeof name), UNLHA_ERROR_NOT_SEARCH_MODE);
    EXPECT_EQ(UnlhaCloseArchive(arc), 0);
}

TEST_F(ListingFixture, ArchiveGettersAndWildcards) {
    HARC arc = UnlhaOpenArchive(0, path_.c_str(), 1);
    char name[512];
    EXPECT_EQ(UnlhaGetArcFileName(arc, name, sizeof name), 0);
    EXPECT_EQ(std::string(name), path_);
    EXPECT_EQ(UnlhaGetArcFileSize(arc), ReadFile(path_).size());
    EXPECT_EQ(UnlhaGetArcOriginalSize(arc), 21000u);
    EXPECT_LT(UnlhaGetArcCompressedSize(arc), 21000u);
    EXPECT_EQ(UnlhaGetArcRatio(arc), UnlhaGetArcCompressedSize(arc) * 1000 / 21000);
    EXPECT_EQ(UnlhaGetArcOSType(arc), static_cast<std::uint32_t>('U'));
    const std::uint32_t dos = unlha::UnixToDos(ModificationTime(path_));
    EXPECT_EQ(UnlhaGetArcDate(arc), dos >> 16);
    EXPECT_EQ(UnlhaGetArcTime(arc), dos & 0xFFFF);
    INDIVIDUALINFO info{};
    ASSERT_EQ(UnlhaFindFirst(arc, "*.bin", &info), 0);
    EXPECT_STREQ(info.szFileName, "docs/noise.bin");
    EXPECT_EQ(UnlhaFindNext(arc, &info), -1);
    EXPECT_EQ(UnlhaFindFirst(arc, "none.*", &info), -1);
    UnlhaCloseArchive(arc);
}

TEST_F(ListingFixture, CountsAndChecks) {
    EXPECT_EQ(UnlhaGetFileCount(path_.c_str()), 3);
    EXPECT_EQ(UnlhaCheckArchive(path_.c_str(), 0), 1);
    EXPECT_EQ(UnlhaCheckArchive(path_.c_str(), 1), 1);
    Bytes image = ReadFile(path_);
    image[image.size() - 30] ^= 0xFF; // member data: headers still fine, CRC not
    WriteFile(dir_ / "bad.lzh", image);
    EXPECT_EQ(UnlhaCheckArchive((dir_ / "bad.lzh").c_str(), 0), 1);
    EXPECT_EQ(UnlhaCheckArchive((dir_ / "bad.lzh").c_str(), 1), 0);
    EXPECT_EQ(UnlhaGetFileCount((dir_ / "missing.lzh").c_str()), -1);
    EXPECT_EQ(UnlhaCheckArchive((dir_ / "missing.lzh").c_str(), 0), 0);
}

TEST(ListingApi, HandlesThatAreNotOpenAreRefused) {
    INDIVIDUALINFO info{};
    EXPECT_EQ(UnlhaOpenArchive(0, "/nonexistent/none.lzh", 1), 0u);
    EXPECT_EQ(UnlhaOpenArchive(0, nullptr, 1), 0u);
    EXPECT_EQ(UnlhaFindFirst(0, "*.*", &info), -1);
    EXPECT_EQ(UnlhaFindNext(0, &info), -1);
    EXPECT_EQ(UnlhaFindNext(12345, &info), -1);
    EXPECT_EQ(UnlhaCloseArchive(0), UNLHA_ERROR_HARC_ISNOT_OPENED);
    EXPECT_EQ(UnlhaGetOriginalSize(0), 0xFFFFFFFFu);
    char name[8];
    EXPECT_EQ(UnlhaGetArcFileName(0, name, sizeof name), UNLHA_ERROR_HARC_ISNOT_OPENED);
}

TEST(ListingApi, EmptyArchiveHasNoMembers) {
    ScratchDir dir;
    WriteFile(dir / "empty.lzh", Bytes{0});
    HARC arc = UnlhaOpenArchive(0, (dir / "empty.lzh").c_str(), 1);
    ASSERT_NE(arc, 0u);
    INDIVIDUALINFO info{};
    EXPECT_EQ(UnlhaFindFirst(arc, "*.*", &info), -1);
    UnlhaCloseArchive(arc);
    EXPECT_EQ(UnlhaGetFileCount((dir / "empty.lzh").c_str()), 0);
}

TEST(LibraryEntries, VersionStateAndSettings) {
    EXPECT_EQ(UnlhaGetVersion(), 100);
    EXPECT_EQ(UnlhaGetSubVersion(), 0);
    EXPECT_EQ(UnlhaGetRunning(), 0);
    EXPECT_EQ(UnlhaSetBackGroundMode(1), 0);
    EXPECT_EQ(UnlhaGetBackGroundMode(), 1);
    EXPECT_EQ(UnlhaSetBackGroundMode(0), 0);
    EXPECT_EQ(UnlhaSetCursorMode(1), 0);
    EXPECT_EQ(UnlhaGetCursorMode(), 1);
    EXPECT_EQ(UnlhaSetCursorInterval(120), 0);
    EXPECT_EQ(UnlhaGetCursorInterval(), 120);
    EXPECT_EQ(UnlhaSetOwnerWindow(42), 0);
    EXPECT_EQ(UnlhaClearOwnerWindow(), 0);
    char options[16] = "junk";
    EXPECT_EQ(UnlhaConfigDialog(0, options, 0), 0);
    EXPECT_STREQ(options, "");
    for (int i = 0; i < 41; ++i) {
        EXPECT_EQ(UnlhaQueryFunctionList(i), 1) << i;
    }
    EXPECT_EQ(UnlhaQueryFunctionList(41), 0);
    EXPECT_EQ(UnlhaQueryFunctionList(-1), 0);
}

TEST(LibraryEntries, SharedLibraryExportsExactlyThe41Names) {
    const char* names[] = {"UnlhaGetVersion",
                           "UnlhaGetSubVersion",
                           "UnlhaGetRunning",
                           "UnlhaGetBackGroundMode",
                           "UnlhaSetBackGroundMode",
                           "UnlhaGetCursorMode",
                           "UnlhaSetCursorMode",
                           "UnlhaGetCursorInterval",
                           "UnlhaSetCursorInterval",
                           "Unlha",
                           "UnlhaCheckArchive",
                           "UnlhaConfigDialog",
                           "UnlhaGetFileCount",
                           "UnlhaOpenArchive",
                           "UnlhaCloseArchive",
                           "UnlhaFindFirst",
                           "UnlhaFindNext",
                           "UnlhaGetArcFileName",
                           "UnlhaGetArcFileSize",
                           "UnlhaGetArcOriginalSize",
                           "UnlhaGetArcCompressedSize",
                           "UnlhaGetArcRatio",
                           "UnlhaGetArcDate",
                           "UnlhaGetArcTime",
                           "UnlhaGetArcOSType",
                           "UnlhaGetFileName",
                           "UnlhaGetMethod",
                           "UnlhaGetOriginalSize",
                           "UnlhaGetCompressedSize",
                           "UnlhaGetRatio",
                           "UnlhaGetDate",
                           "UnlhaGetTime",
                           "UnlhaGetWriteTime",
                           "UnlhaGetAccessTime",
                           "UnlhaGetCreateTime",
                           "UnlhaGetCRC",
                           "UnlhaGetAttribute",
                           "UnlhaGetOSType",
                           "UnlhaQueryFunctionList",
                           "UnlhaSetOwnerWindow",
                           "UnlhaClearOwnerWindow"};
    static_assert(sizeof names / sizeof names[0] == 41);
    void* lib = dlopen(UNLHA_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    for (const char* name : names) {
        EXPECT_NE(dlsym(lib, name), nullptr) << name;
    }
    EXPECT_EQ(dlsym(lib, "_ZN5unlha10RunCommandERKNSt7__cxx1112basic_stringIcSt11char_"
                         "traitsIcESaIcEEERNS_6ReportE"),
              nullptr)
        << "internals stay hidden";
    const auto nm = RunTool("nm -D --defined-only " + Quote(UNLHA_LIBRARY) + " | wc -l");
    if (nm.status == 0) {
        EXPECT_EQ(std::stoi(nm.output), 41);
    }
    dlclose(lib);
}
