#pragma once

namespace zol {

class JobHost;

// Cuts every input-list entry into a split set in the output folder (a smaller entry is
// copied whole), disk by disk when the output lies on a removable drive.
void SplitFiles(JobHost& host);

} // namespace zol
