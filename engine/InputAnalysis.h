#pragma once

#include <string>

namespace zol {

class JobHost;

// Writes the advice for one input, in the light of the current mode, into memo lines 2 to 4
// (in the compress mode it proposes the archive name in the output text instead).
void AnalyseInput(JobHost& host, const std::string& path);

} // namespace zol
