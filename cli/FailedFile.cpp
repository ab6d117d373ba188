#include "cli/FailedFile.h"

#include "platform/FileError.h"

namespace zol::cli {

std::string FailedFile(const std::exception& error, const std::string& input,
                       const std::string& output) {
    const auto* fileError = dynamic_cast<const FileError*>(&error);
    if (fileError == nullptr) {
        return input;
    }
    switch (fileError->side()) {
    case FileSide::Input:
        return input;
    case FileSide::Output:
        return output;
    case FileSide::Either:
        break;
    }
    return input + " (to " + output + ")";
}

} // namespace zol::cli
