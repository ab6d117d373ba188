#include "TrayTestSupport.h"

#include <QStringList>

namespace zol::test {
namespace {

QStringList ListedIDs() {
    QStringList ids;
    for (const auto& entry : TaskTrayState().IconIDList) {
        ids << entry.first;
    }
    return ids;
}

using IdentifierTest = TrayTest;

TEST_F(IdentifierTest, FirstComponentGetsOneAndTheSecondTwo) {
    auto first = make();
    auto second = make();
    EXPECT_EQ(first->IconID(), 1);
    EXPECT_EQ(second->IconID(), 2);
    EXPECT_EQ(ListedIDs(), (QStringList{"1", "2"}));
}

TEST_F(IdentifierTest, NewComponentTakesTheLastEntryPlusOneEvenWhenTaken) {
    auto first = make(true);
    auto second = make(true);
    first->setIconID(3);
    auto third = make(true);
    EXPECT_EQ(third->IconID(), 3);
    EXPECT_EQ(ListedIDs(), (QStringList{"3", "2", "3"}));

    // The first listed component wins the callbacks for 3.
    std::vector<TTaskTray*> moved;
    first->OnMouseMove = [&](TTaskTray& s, TShiftState, int, int) { moved.push_back(&s); };
    third->OnMouseMove = [&](TTaskTray& s, TShiftState, int, int) { moved.push_back(&s); };
    Notify(3, 0x200);
    EXPECT_EQ(moved, (std::vector<TTaskTray*>{first.get()}));
}

TEST_F(IdentifierTest, DestroyingTheSecondOfTwoEqualIdentifiersKeepsTheFirstRouted) {
    auto first = make(true);
    auto second = make(true);
    first->setIconID(3);
    auto third = make(true);
    TTaskTray* moved = nullptr;
    first->OnMouseMove = [&](TTaskTray& s, TShiftState, int, int) { moved = &s; };
    third.reset();
    EXPECT_EQ(ListedIDs(), (QStringList{"3", "2"}));
    Notify(3, 0x200);
    EXPECT_EQ(moved, first.get());
}

TEST_F(IdentifierTest, RenamingOneOfTwoEqualIdentifiersMovesItsOwnEntry) {
    auto first = make();
    auto second = make();
    first->setIconID(3);
    auto third = make();
    third->setIconID(7);
    EXPECT_EQ(ListedIDs(), (QStringList{"3", "2", "7"}));
}

TEST_F(IdentifierTest, DestructionRemovesTheEntry) {
    auto first = make();
    { auto second = make(); }
    EXPECT_EQ(ListedIDs(), (QStringList{"1"}));
    auto again = make();
    EXPECT_EQ(again->IconID(), 2);
}

struct BadID {
    int value;
    const char* error;
};

class IdentifierErrorTest : public TrayTest, public testing::WithParamInterface<BadID> {};

TEST_P(IdentifierErrorTest, RefusedAndNothingChanges) {
    auto first = make(true);
    auto second = make(true);
    area->calls.clear();
    EXPECT_EQ(ErrorOf([&] { second->setIconID(GetParam().value); }),
              QString::fromUtf8(GetParam().error));
    EXPECT_EQ(second->IconID(), 2);
    EXPECT_TRUE(second->Registered());
    EXPECT_TRUE(second->Added());
    EXPECT_TRUE(area->calls.empty());
    EXPECT_EQ(ListedIDs(), (QStringList{"1", "2"}));
}

INSTANTIATE_TEST_SUITE_P(Values, IdentifierErrorTest,
                         testing::Values(BadID{0, "0以下は指定できません"},
                                         BadID{-5, "0以下は指定できません"},
                                         BadID{1, "同じアイコン識別子が有ります"}));

TEST_F(IdentifierTest, SameValueDoesNothing) {
    auto tray = make(true);
    area->calls.clear();
    tray->setIconID(1);
    EXPECT_TRUE(area->calls.empty());
    EXPECT_TRUE(tray->Added());
}

TEST_F(IdentifierTest, ShownIconIsDeletedUnderTheOldIdentifierAndAddedUnderTheNew) {
    auto tray = make(true);
    area->calls.clear();
    tray->setIconID(5);
    EXPECT_EQ(area->take(), (std::vector<std::pair<Kind, int>>{{Kind::Remove, 1}, {Kind::Add, 5}}));
    EXPECT_TRUE(tray->Registered());
    EXPECT_TRUE(tray->Added());
    EXPECT_EQ(ListedIDs(), (QStringList{"5"}));
}

TEST_F(IdentifierTest, IdleComponentOnlyChangesItsEntry) {
    auto tray = make();
    tray->setIconID(5);
    EXPECT_TRUE(area->calls.empty());
    EXPECT_EQ(tray->IconID(), 5);
    EXPECT_FALSE(tray->Registered());
    EXPECT_EQ(ListedIDs(), (QStringList{"5"}));
}

TEST_F(IdentifierTest, FailedAddUnderTheNewIdentifierLeavesItWanted) {
    auto tray = make(true);
    area->addResult = false;
    EXPECT_EQ(ErrorOf([&] { tray->setIconID(5); }),
              QString::fromUtf8("タスクトレイに登録できません"));
    EXPECT_EQ(tray->IconID(), 5);
    EXPECT_TRUE(tray->Registered());
    EXPECT_FALSE(tray->Added());
}

} // namespace
} // namespace zol::test
