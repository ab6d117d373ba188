#pragma once

#include <string>

namespace zol::cli {

// The result of one command string run by the archiver library.
struct LibraryResult {
    int code = 0;       // 0 for success
    std::string report; // the library's report text
};

LibraryResult RunLibraryCommand(const std::string& command);

// The report's first line that says something, for a one-line error message.
std::string FirstLine(const std::string& report);

// x within double quotes when it holds a blank, unchanged otherwise (the library's quoting).
std::string Quoted(const std::string& x);

} // namespace zol::cli
