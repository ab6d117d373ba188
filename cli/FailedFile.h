#pragma once

#include <exception>
#include <string>

namespace zol::cli {

// The file to name for an error that ended a split or join: the output when the file written
// failed (a full disk, a write or sync error), the input in hand when the file read did, and
// both when either may be at fault (a copy between them inside the system).
std::string FailedFile(const std::exception& error, const std::string& input,
                       const std::string& output);

} // namespace zol::cli
