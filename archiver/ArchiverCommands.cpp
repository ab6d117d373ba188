#include "ArchiverCommands.h"

namespace zol {

std::string Quote(const std::string& x) {
    // The library parts words at tabs and line breaks as well: a path holding one is quoted
    // too, or it would reach the library in pieces.
    if (x.find_first_of(" \t\r\n") == std::string::npos)
        return x;
    return '"' + x + '"';
}

std::string CompressCommandHead(const std::string& archive, bool folder) {
    return (folder ? "a -d1 " : "a ") + Quote(archive) + " ";
}

std::string CompressCommand(const std::string& head, const std::string& entry, bool folder) {
    return head + Quote(entry) + (folder ? " *.*" : "");
}

std::string ExtractCommand(const std::string& archive, const std::string& dest) {
    return "e -x1m1 " + Quote(archive) + " " + Quote(dest);
}

} // namespace zol
