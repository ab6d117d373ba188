#pragma once

#include <functional>
#include <string>

namespace zol {

class JobHost;

// The operations Start runs. The program uses the engine's and the archiver's; a test may put
// a stand-in in one place (an archiver that makes no archive, for instance).
struct JobOperations {
    std::function<void(JobHost&)> compress;
    std::function<void(JobHost&)> extract;
    std::function<void(JobHost&)> split;
    std::function<void(JobHost&)> join;
    std::function<void(JobHost&, const std::string&)> gather;
};

JobOperations DefaultJobOperations();

} // namespace zol
