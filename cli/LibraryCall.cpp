#include "cli/LibraryCall.h"

#include "unlha32.h"

#include <vector>

namespace zol::cli {

namespace {

constexpr std::uint32_t ReportSize = 32000;

} // namespace

LibraryResult RunLibraryCommand(const std::string& command) {
    std::vector<char> report(ReportSize, '\0');
    LibraryResult result;
    result.code = Unlha(0, command.c_str(), report.data(), ReportSize);
    result.report = report.data();
    return result;
}

std::string FirstLine(const std::string& report) {
    std::size_t start = 0;
    while (start < report.size()) {
        std::size_t end = report.find('\n', start);
        if (end == std::string::npos) {
            end = report.size();
        }
        std::string line = report.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
            line.pop_back();
        }
        if (!line.empty()) {
            return line;
        }
        start = end + 1;
    }
    return "the archiver library reported an error";
}

std::string Quoted(const std::string& x) {
    return x.find(' ') != std::string::npos ? "\"" + x + "\"" : x;
}

} // namespace zol::cli
