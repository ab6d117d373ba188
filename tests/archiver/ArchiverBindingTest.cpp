#include "archiver/ArchiverBinding.h"

#include "BoxRecorder.h"
#include "engine/MessageBox.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace zol::test {
namespace {

class ArchiverBinding : public testing::Test {
protected:
    void TearDown() override {
        ReleaseArchiverLibrary();
        BindArchiverLibrary("/nonexistent/libunlha32.so");
    }
    BoxRecorder recorder;
};

std::set<std::string> UnboundNames() {
    std::set<std::string> names;
    for (const ArchiverSlot& slot : DescribeArchiverEntries())
        if (slot.entry == slot.fallback)
            names.insert(slot.lookupName);
    return names;
}

TEST_F(ArchiverBinding, SlotsFollowTheLibraryTableOrder) {
    const std::vector<ArchiverSlot> slots = DescribeArchiverEntries();
    ASSERT_EQ(slots.size(), ArchiverEntryCount);
    const std::vector<std::pair<std::size_t, std::string>> rows = {
        {0, "UnlhaGetVersion"},
        {9, "Unlha"},
        {13, "UnlhaOpenArchive"},
        {14, "UnlhaCloseArchive"},
        {15, "UnlhaFindFirst"},
        {16, "UnlhaFindNext"},
        {20, "UnlhaGetArcCompressedSize"},
        {33, "UnlhaGetAccessTime"},
        {40, "UnlhaClearOwnerWindow"}};
    for (const auto& [index, name] : rows)
        EXPECT_EQ(slots[index].lookupName, name) << "row " << index + 1;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (i == 20 || i == 33)
            continue;
        EXPECT_STREQ(slots[i].messageName, slots[i].lookupName) << "row " << i + 1;
    }
    EXPECT_STREQ(slots[20].messageName, "UnlhaGetArcCompessedSize");
    EXPECT_STREQ(slots[33].messageName, "UnlhaGetAcessTime");
}

TEST_F(ArchiverBinding, MissingLibraryLeavesEverySlotOnItsFallback) {
    BindArchiverLibrary("/nonexistent/libunlha32.so");

    EXPECT_EQ(ArchiverModule, nullptr);
    EXPECT_EQ(UnboundNames().size(), ArchiverEntryCount);
    EXPECT_TRUE(recorder.boxes.empty());

    ReleaseArchiverLibrary();
    EXPECT_EQ(ArchiverModule, nullptr);
    EXPECT_EQ(UnboundNames().size(), ArchiverEntryCount);
}

TEST_F(ArchiverBinding, UnboundEntryShowsTheBoxOnEveryCallAndAnswersZero) {
    BindArchiverLibrary("/nonexistent/libunlha32.so");

    INDIVIDUALINFO info{};
    EXPECT_EQ(ArchiverEntries.UnlhaOpenArchive(1, "/a.lzh", 1), 0u);
    EXPECT_EQ(ArchiverEntries.UnlhaFindNext(0, &info), 0);
    EXPECT_EQ(ArchiverEntries.UnlhaFindNext(0, &info), 0);

    ASSERT_EQ(recorder.boxes.size(), 3u);
    EXPECT_EQ(recorder.boxes[0].text, "UnlhaOpenArchive: LHA.DLL not loaded.");
    EXPECT_EQ(recorder.boxes[1].text, "UnlhaFindNext: LHA.DLL not loaded.");
    EXPECT_EQ(recorder.boxes[2].text, "UnlhaFindNext: LHA.DLL not loaded.");
    for (const BoxRecorder::Box& box : recorder.boxes) {
        EXPECT_EQ(box.caption, "PANIC!!");
        EXPECT_EQ(box.flags, mb::IconError | mb::Ok);
    }
}

TEST_F(ArchiverBinding, LibraryLackingTwoNamesLeavesExactlyThoseUnbound) {
    BindArchiverLibrary(PARTIAL_LIBRARY);
    ASSERT_NE(ArchiverModule, nullptr);

    EXPECT_EQ(UnboundNames(),
              (std::set<std::string>{"UnlhaGetArcCompressedSize", "UnlhaGetAccessTime"}));
    EXPECT_EQ(ArchiverEntries.UnlhaGetVersion(), 4242);
    EXPECT_TRUE(recorder.boxes.empty());

    EXPECT_EQ(ArchiverEntries.UnlhaGetArcCompressedSize(7), 0u);
    EXPECT_EQ(ArchiverEntries.UnlhaGetAccessTime(7), 0u);
    ASSERT_EQ(recorder.boxes.size(), 2u);
    EXPECT_EQ(recorder.boxes[0].text, "UnlhaGetArcCompessedSize: LHA.DLL not loaded.");
    EXPECT_EQ(recorder.boxes[1].text, "UnlhaGetAcessTime: LHA.DLL not loaded.");
}

TEST_F(ArchiverBinding, BareNameIsFoundOnTheProgramsLibraryPath) {
    // The test program's RUNPATH holds the folder of its recording library, where the partial
    // one lies too; under a sanitizer the search must still use the program's own paths.
    BindArchiverLibrary("libunlha32_partial.so");

    ASSERT_NE(ArchiverModule, nullptr);
    EXPECT_EQ(UnboundNames().size(), 2u);
}

TEST_F(ArchiverBinding, ReleaseFreesTheLoadedLibraryOnce) {
    BindArchiverLibrary(PARTIAL_LIBRARY);
    ASSERT_NE(ArchiverModule, nullptr);

    ReleaseArchiverLibrary();
    EXPECT_EQ(dlopen(PARTIAL_LIBRARY, RTLD_NOW | RTLD_NOLOAD), nullptr);
    ReleaseArchiverLibrary();
    EXPECT_EQ(ArchiverModule, nullptr);
}

TEST_F(ArchiverBinding, RebindingStartsFromTheFallbacks) {
    BindArchiverLibrary(PARTIAL_LIBRARY);
    ReleaseArchiverLibrary();
    BindArchiverLibrary("/nonexistent/libunlha32.so");

    EXPECT_EQ(UnboundNames().size(), ArchiverEntryCount);
}

TEST_F(ArchiverBinding, RealLibraryBindsEverySlotToItsOwnName) {
    BindArchiverLibrary(REAL_LIBRARY);
    ASSERT_NE(ArchiverModule, nullptr);

    for (const ArchiverSlot& slot : DescribeArchiverEntries()) {
        EXPECT_NE(slot.entry, slot.fallback) << slot.lookupName;
        EXPECT_EQ(slot.entry, dlsym(ArchiverModule, slot.lookupName)) << slot.lookupName;
    }
    EXPECT_TRUE(recorder.boxes.empty());
}

} // namespace
} // namespace zol::test
