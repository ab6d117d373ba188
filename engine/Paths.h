#pragma once

#include <string>

namespace zol {

// Everything up to and including the last "/"; empty when there is none.
std::string FolderPart(const std::string& path);
// The text after the folder part.
std::string FileNamePart(const std::string& path);
// "" stays ""; a text ending in "/" is unchanged; any other text gets one "/" appended.
std::string WithTrailingBackslash(const std::string& text);
// From the last "." of the file name on, lower-cased (ASCII); empty when the name has no ".".
std::string ExtensionLower(const std::string& path);

} // namespace zol
