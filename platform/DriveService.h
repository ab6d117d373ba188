#pragma once

#include <memory>
#include <string>

namespace zol {

// What the program asks about the drive a path lies on. The system implementation reads the
// mount table and sysfs; tests put a simulated removable drive behind the same interface.
class DriveService {
public:
    virtual ~DriveService() = default;

    // Mount point of the file system holding path, ending with "/"; empty for an empty path.
    virtual std::string driveRoot(const std::string& path) = 0;

    // True when path lies on a removable medium (a floppy, a USB stick). Empty path: false.
    virtual bool isRemovable(const std::string& path) = 0;
};

std::unique_ptr<DriveService> makeSystemDriveService();

} // namespace zol
