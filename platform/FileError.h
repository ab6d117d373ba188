#pragma once

#include <stdexcept>
#include <string>

namespace zol {

// Codes of the file errors beyond the system's own: a short read and a short write.
inline constexpr int ShortReadCode = 100;
inline constexpr int ShortWriteCode = 101;
// Any other system error n is carried as SystemErrorBase + n and shown as "I/O ｴﾗｰ (n)":
// several errno values (EIO 5, ENETUNREACH 101) equal codes above that have other texts.
inline constexpr int SystemErrorBase = 1000;

// The text shown for a file error code: 2 "ﾌｧｲﾙが見つかりません", ... , "I/O ｴﾗｰ (n)".
std::string FileErrorText(int code);

// Maps an errno value to the program's file error code (ENOENT 2, EACCES 5, ENOSPC 101, ...).
int FileErrorCode(int errnoValue);

// Which of the files in hand failed: the one read, the one written, or either (a copy between
// them inside the system does not say).
enum class FileSide { Either, Input, Output };

// A failed file operation of split or join; it ends the operation and the Start.
class FileError : public std::runtime_error {
public:
    explicit FileError(int code, FileSide side = FileSide::Either)
        : std::runtime_error(FileErrorText(code)), code_(code), side_(side) {}
    int code() const { return code_; }
    FileSide side() const { return side_; }

private:
    int code_;
    FileSide side_;
};

} // namespace zol
