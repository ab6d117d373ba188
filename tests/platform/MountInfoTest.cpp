#include "platform/MountInfo.h"

#include "TestFiles.h"
#include "platform/DriveService.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>

namespace zol {
namespace {

using test::ScratchDir;

const char* const SampleMountInfo =
    "22 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
    "25 22 0:21 / /proc rw,nosuid - proc proc rw\n"
    "40 22 0:35 / /tmp rw shared:10 - tmpfs tmpfs rw,size=100k\n"
    "61 22 8:17 / /media/usb\\040stick rw,nosuid shared:30 master:2 - vfat /dev/sdb1 rw\n"
    "62 22 2:0 / /media/fd rw - vfat /dev/fd0 rw\n"
    "63 22 7:3 / /media/fdx rw - iso9660 /dev/loop3 ro\n"
    "64 62 7:4 / /media/fd rw - vfat /dev/loop4 rw\n"
    "this line is not a mount\n"
    "65 22 x:y / /bad rw - ext4 /dev/bad rw\n";

TEST(MountInfo, ParsesFieldsAndUnescapesPaths) {
    const auto mounts = ParseMountInfo(SampleMountInfo);
    ASSERT_EQ(mounts.size(), 7u);
    EXPECT_EQ(mounts[0].mountPoint, "/");
    EXPECT_EQ(mounts[0].major, 254u);
    EXPECT_EQ(mounts[0].minor, 0u);
    EXPECT_EQ(mounts[0].fsType, "ext4");
    EXPECT_EQ(mounts[3].mountPoint, "/media/usb stick");
    EXPECT_EQ(mounts[3].major, 8u);
    EXPECT_EQ(mounts[3].minor, 17u);
    EXPECT_EQ(mounts[3].source, "/dev/sdb1");
}

TEST(MountInfo, TheLongestMountPointOnAFolderBoundaryWins) {
    const auto mounts = ParseMountInfo(SampleMountInfo);
    const std::pair<const char*, const char*> cases[] = {
        {"/home/user/a.txt", "/"},
        {"/", "/"},
        {"/tmp", "/tmp"},
        {"/tmp/x/y", "/tmp"},
        {"/tmpfile", "/"},
        {"/media/usb stick/zold(a)020001.zol", "/media/usb stick"},
        {"/media/fdx/a", "/media/fdx"},
    };
    for (const auto& [path, mountPoint] : cases) {
        const MountEntry* found = FindMount(mounts, path);
        ASSERT_NE(found, nullptr) << path;
        EXPECT_EQ(found->mountPoint, mountPoint) << path;
    }
}

TEST(MountInfo, ALaterMountOverTheSamePointHidesTheEarlierOne) {
    const auto mounts = ParseMountInfo(SampleMountInfo);
    const MountEntry* found = FindMount(mounts, "/media/fd/a");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->source, "/dev/loop4");
}

TEST(MountInfo, NoMountHoldsARelativePath) {
    const auto mounts = ParseMountInfo(SampleMountInfo);
    EXPECT_EQ(FindMount(mounts, "relative/a"), nullptr);
    EXPECT_EQ(FindMount({}, "/a"), nullptr);
}

// A /sys tree of our own: dev/block links to device folders as the kernel makes them.
class FakeSysfs {
public:
    void addDisk(const std::string& device, const std::string& number, const char* removable) {
        const std::string folder = dir_ / ("devices/block/" + device);
        mkdirs(folder);
        if (removable != nullptr) {
            test::WriteBytes(folder + "/removable", std::string(removable) + "\n");
        }
        link(folder, number);
    }
    void addPartition(const std::string& disk, const std::string& partition,
                      const std::string& number) {
        const std::string folder = dir_ / ("devices/block/" + disk + "/" + partition);
        mkdirs(folder);
        test::WriteBytes(folder + "/partition", "1\n");
        link(folder, number);
    }
    std::string root() const {
        std::string path = dir_.path();
        path.pop_back();
        return path;
    }

private:
    void mkdirs(const std::string& path) {
        for (std::size_t at = dir_.path().size(); at != std::string::npos;
             at = path.find('/', at + 1)) {
            mkdir(path.substr(0, at).c_str(), 0755);
        }
        mkdir(path.c_str(), 0755);
    }
    void link(const std::string& folder, const std::string& number) {
        mkdirs(dir_ / "dev/block");
        symlink(folder.c_str(), (dir_ / ("dev/block/" + number)).c_str());
    }
    ScratchDir dir_;
};

TEST(BlockDevice, RemovableIsReadFromTheWholeDisk) {
    FakeSysfs sys;
    sys.addDisk("sdb", "8:16", "1");
    sys.addPartition("sdb", "sdb1", "8:17");
    sys.addDisk("sda", "8:0", "0");
    sys.addPartition("sda", "sda1", "8:1");
    sys.addDisk("fd0", "2:0", nullptr);
    sys.addDisk("odd", "9:0", nullptr);
    const struct {
        unsigned major, minor;
        bool removable;
    } cases[] = {
        {8, 16, true}, {8, 17, true}, {8, 0, false},  {8, 1, false},
        {2, 0, true},  {9, 0, false}, {0, 35, false}, {3, 3, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BlockDeviceIsRemovable(sys.root(), c.major, c.minor), c.removable)
            << c.major << ":" << c.minor;
    }
}

TEST(SystemDriveService, DriveRootIsAMountPointHoldingThePath) {
    const auto drives = makeSystemDriveService();
    ScratchDir dir;
    EXPECT_EQ(drives->driveRoot("/"), "/");
    EXPECT_EQ(drives->driveRoot(""), "");
    EXPECT_FALSE(drives->isRemovable(""));
    // A file yet to be written lies on the drive of its folder.
    const std::string root = drives->driveRoot(dir / "not/yet/there.zol");
    ASSERT_FALSE(root.empty());
    EXPECT_EQ(root.back(), '/');
    char* real = realpath(dir.path().c_str(), nullptr);
    EXPECT_EQ(std::string(real).rfind(root == "/" ? "/" : root.substr(0, root.size() - 1), 0), 0u);
    std::free(real);
    EXPECT_EQ(drives->driveRoot(dir.path()), root);
}

// A disk mounted after the first question is seen at the next one. The mount happens in a
// child process with a private mount namespace, so the machine's table is never touched.
TEST(SystemDriveService, SeesAMountMadeAfterTheFirstQuestion) {
    ScratchDir dir;
    const std::string point = dir / "drive";
    mkdir(point.c_str(), 0755);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            _exit(77);
        }
        const auto drives = makeSystemDriveService();
        const std::string before = drives->driveRoot(point + "/a.zol");
        if (mount("none", point.c_str(), "tmpfs", 0, "size=64k") != 0) {
            _exit(77);
        }
        char* real = realpath(point.c_str(), nullptr);
        const std::string expected = std::string(real) + "/";
        std::free(real);
        const std::string after = drives->driveRoot(point + "/a.zol");
        _exit(before != expected && after == expected && !drives->isRemovable(point) ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) {
        GTEST_SKIP() << "no mount namespace here";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(SystemDriveService, ProcIsNoRemovableDisk) {
    EXPECT_FALSE(makeSystemDriveService()->isRemovable("/proc/self/status"));
}

} // namespace
} // namespace zol
