#pragma once

#include <string>

namespace zol {

// x within double quotes when it holds an ASCII blank (a space, a tab or a line break), x
// unchanged otherwise. Nothing inside is escaped, and a full-width space is no blank.
std::string Quote(const std::string& x);

// The part of every compress command before the entry: "a " or "a -d1 ", the quoted archive
// and a blank.
std::string CompressCommandHead(const std::string& archive, bool folder);
// head + the quoted entry, and " *.*" for a folder.
std::string CompressCommand(const std::string& head, const std::string& entry, bool folder);
// "e -x1m1 " + the quoted archive + " " + the quoted destination folder.
std::string ExtractCommand(const std::string& archive, const std::string& dest);

} // namespace zol
