#include "platform/FileError.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace zol {
namespace {

TEST(FileError, TextsByCode) {
    const std::pair<int, const char*> cases[] = {
        {2, "ﾌｧｲﾙが見つかりません"},
        {3, "不正なﾌｧｲﾙ名です"},
        {4, "ｵｰﾌﾟﾝしたﾌｧｲﾙが多すぎます"},
        {5, "ﾌｧｲﾙへのｱｸｾｽが拒否されました"},
        {100, "ﾌｧｲﾙの末尾以降を読み込みました"},
        {101, "ﾃﾞｨｽｸがいっぱいです"},
        {106, "入力値が数値ではありません"},
        {21, "I/O ｴﾗｰ (21)"},
    };
    for (const auto& [code, text] : cases) {
        EXPECT_EQ(FileErrorText(code), text) << code;
    }
}

TEST(FileError, SystemErrorsMapToTheProgramsCodes) {
    const std::pair<int, int> cases[] = {
        {ENOENT, 2}, {ENOTDIR, 3}, {EMFILE, 4}, {ENFILE, 4}, {EACCES, 5}, {EPERM, 5}, {ENOSPC, 101},
    };
    for (const auto& [errnoValue, code] : cases) {
        EXPECT_EQ(FileErrorCode(errnoValue), code) << errnoValue;
    }
}

// EIO is 5 and ENETUNREACH 101 on Linux: they must not borrow the texts of those codes.
TEST(FileError, OtherSystemErrorsShowTheirOwnNumber) {
    const std::pair<int, const char*> cases[] = {
        {EIO, "I/O ｴﾗｰ (5)"},
        {ENETUNREACH, "I/O ｴﾗｰ (101)"},
        {EISDIR, "I/O ｴﾗｰ (21)"},
        {EROFS, "I/O ｴﾗｰ (30)"},
    };
    for (const auto& [errnoValue, text] : cases) {
        EXPECT_EQ(FileErrorText(FileErrorCode(errnoValue)), text) << errnoValue;
        EXPECT_STREQ(FileError(FileErrorCode(errnoValue)).what(), text);
    }
}

} // namespace
} // namespace zol
