#pragma once

#include <QString>
#include <memory>
#include <optional>

namespace zol {

// What a real format of a drive came to.
struct FormatOutcome {
    bool formatted = false; // the medium now carries a fresh FAT file system
    QString error;          // empty when every step went; otherwise why, for the user
    QString mountPoint;     // where the medium is mounted afterwards (empty when it is not)
};

// A real FAT format of the medium mounted at a drive root, with unmount and remount around it.
class DriveFormatter {
public:
    virtual ~DriveFormatter() = default;
    // The volume label of the medium mounted exactly at driveRoot (empty when it has none)
    // when that medium can be formatted; nullopt when it cannot.
    virtual std::optional<QString> currentLabel(const QString& driveRoot) = 0;
    virtual FormatOutcome format(const QString& driveRoot, const QString& label) = 0;
};

// The formatter of the UDisks2 service on the system D-Bus; unavailable without one.
std::unique_ptr<DriveFormatter> makeUDisks2Formatter();
// The same on the bus at the given address (a service of its own, for instance).
std::unique_ptr<DriveFormatter> makeUDisks2Formatter(const QString& busAddress);

} // namespace zol
