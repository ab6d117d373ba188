#include "JobOperations.h"

#include "archiver/ArchiverOps.h"
#include "engine/Joiner.h"
#include "engine/Splitter.h"

namespace zol {

JobOperations DefaultJobOperations() {
    return JobOperations{
        .compress = [](JobHost& host) { CompressInputs(host); },
        .extract = [](JobHost& host) { ExtractArchives(host); },
        .split = [](JobHost& host) { SplitFiles(host); },
        .join = [](JobHost& host) { JoinFiles(host); },
        .gather = [](JobHost& host, const std::string& first) { GatherFloppyPieces(host, first); },
    };
}

} // namespace zol
