#pragma once

#include <string>
#include <vector>

namespace zol {

// One line of /proc/self/mountinfo, as far as the drive routines need it.
struct MountEntry {
    unsigned major = 0;
    unsigned minor = 0;
    std::string mountPoint; // unescaped, without a trailing "/" except for "/" itself
    std::string fsType;
    std::string source;
};

// The entries of a mountinfo text in its order; malformed lines are left out.
std::vector<MountEntry> ParseMountInfo(const std::string& text);

// The entry whose mount point holds absolutePath with the longest match; a later entry
// mounted over the same point wins. Null when none holds it.
const MountEntry* FindMount(const std::vector<MountEntry>& mounts, const std::string& absolutePath);

// True when the block device major:minor, seen under sysRoot ("/sys"), is a floppy or its
// whole disk reports removable = 1.
bool BlockDeviceIsRemovable(const std::string& sysRoot, unsigned major, unsigned minor);

} // namespace zol
