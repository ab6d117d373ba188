#include "archiver/ArchiveListing.h"

#include "BoxRecorder.h"
#include "archiver/ArchiverBinding.h"

#include <gtest/gtest.h>

namespace zol::test {
namespace {

class ArchiveListing : public testing::Test {
protected:
    void TearDown() override {
        ReleaseArchiverLibrary();
        BindArchiverLibrary("/nonexistent/libunlha32.so");
    }
    BoxRecorder recorder;
    std::vector<std::string> names;
    void List() {
        ListArchiveMembers(1, "/in/set.lzh", [this](const INDIVIDUALINFO& info) {
            names.push_back(info.szFileName);
        });
    }
};

TEST_F(ArchiveListing, UnboundEntriesShowOneBoxPerCallAndDeliverNothing) {
    BindArchiverLibrary("/nonexistent/libunlha32.so");

    List();

    EXPECT_TRUE(names.empty());
    std::vector<std::string> texts;
    for (const BoxRecorder::Box& box : recorder.boxes)
        texts.push_back(box.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"UnlhaOpenArchive: LHA.DLL not loaded.",
                                               "UnlhaFindFirst: LHA.DLL not loaded.",
                                               "UnlhaCloseArchive: LHA.DLL not loaded."}));
}

TEST_F(ArchiveListing, UnboundFindNextEndsAfterTheFirstMember) {
    BindArchiverLibrary(NO_FIND_NEXT_LIBRARY);
    ASSERT_NE(ArchiverModule, nullptr);

    List();

    EXPECT_EQ(names, std::vector<std::string>{"ENDLESS.TXT"});
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].text, "UnlhaFindNext: LHA.DLL not loaded.");
}

TEST_F(ArchiveListing, EndlessListingStopsAtTheBound) {
    BindArchiverLibrary(PARTIAL_LIBRARY);
    ASSERT_NE(ArchiverModule, nullptr);

    List();

    EXPECT_EQ(names.size(), MaxListedMembers);
    EXPECT_EQ(names.back(), "ENDLESS.TXT");
    EXPECT_TRUE(recorder.boxes.empty());
}

} // namespace
} // namespace zol::test
