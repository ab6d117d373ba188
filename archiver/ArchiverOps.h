#pragma once

namespace zol {

class JobHost;

// Adds every input-list entry to the archive named by the output text, one library command
// per entry; selects the file sub-choice at the end.
void CompressInputs(JobHost& host);

// Extracts every input-list entry into the folder named by the output text; one error box per
// archive that fails.
void ExtractArchives(JobHost& host);

} // namespace zol
