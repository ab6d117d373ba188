#pragma once

// Member names on disk: Shift-JIS (code page 932) where every character has a form there,
// since Japanese Windows tools read names so, and UTF-8 otherwise.

#include <optional>
#include <string>

namespace unlha {

// The Shift-JIS form of a UTF-8 text, or nothing when some character has none (or would not
// come back unchanged).
std::optional<std::string> Utf8ToShiftJis(const std::string& utf8);

// The UTF-8 form of a Shift-JIS text, or nothing when the bytes are not valid Shift-JIS.
std::optional<std::string> ShiftJisToUtf8(const std::string& sjis);

bool IsValidUtf8(const std::string& text);
bool IsAscii(const std::string& text);

enum class NameHint { Unknown, ShiftJis, Utf8, Windows };

// Reads a stored name: by the code page when the header gives one, else by the OS id's habit
// and a validity check. Bytes that fit no encoding become "_".
std::string StoredNameToUtf8(const std::string& stored, NameHint hint);

} // namespace unlha
