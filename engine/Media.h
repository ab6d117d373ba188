#pragma once

#include <string>

namespace zol {

class JobHost;

bool IsRemovableDrive(JobHost& host, const std::string& path);

// Before writing to a removable disk that is not empty, offers to format it.
void PrepareFloppy(JobHost& host, const std::string& folderText);

// Opens the format dialog for the drive of driveText.
void FormatFloppy(JobHost& host, const std::string& driveText);

} // namespace zol
