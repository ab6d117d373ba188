#include "platform/FileError.h"

#include <cerrno>

namespace zol {

std::string FileErrorText(int code) {
    switch (code) {
    case 2:
        return "ﾌｧｲﾙが見つかりません";
    case 3:
        return "不正なﾌｧｲﾙ名です";
    case 4:
        return "ｵｰﾌﾟﾝしたﾌｧｲﾙが多すぎます";
    case 5:
        return "ﾌｧｲﾙへのｱｸｾｽが拒否されました";
    case ShortReadCode:
        return "ﾌｧｲﾙの末尾以降を読み込みました";
    case ShortWriteCode:
        return "ﾃﾞｨｽｸがいっぱいです";
    case 106:
        return "入力値が数値ではありません";
    default:
        break;
    }
    const int shown = code >= SystemErrorBase ? code - SystemErrorBase : code;
    return "I/O ｴﾗｰ (" + std::to_string(shown) + ")";
}

int FileErrorCode(int errnoValue) {
    switch (errnoValue) {
    case ENOENT:
        return 2;
    case ENOTDIR:
        return 3;
    case EMFILE:
    case ENFILE:
        return 4;
    case EACCES:
    case EPERM:
        return 5;
    case ENOSPC:
    case EDQUOT:
        return ShortWriteCode;
    default:
        // Kept apart from the codes above: EIO is 5 and ENETUNREACH is 101 on Linux.
        return SystemErrorBase + errnoValue;
    }
}

} // namespace zol
