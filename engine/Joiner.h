#pragma once

#include <string>

namespace zol {

class JobHost;

// Writes the input-list entries, in list order, into the file named by the output text.
void JoinFiles(JobHost& host);

// Collects the pieces of the set of firstPath from floppies, in any order, into the
// temporary folder, and replaces the input list with the copies.
void GatherFloppyPieces(JobHost& host, const std::string& firstPath);

} // namespace zol
