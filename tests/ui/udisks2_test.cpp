// Finding the drive among the UDisks2 objects, and the formatter without a system bus.
#include "DriveFormatter.h"
#include "UDisks2Objects.h"

#include <QByteArrayList>
#include <gtest/gtest.h>

namespace zol::test {
namespace {

const QString Block = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString Filesystem = QStringLiteral("org.freedesktop.UDisks2.Filesystem");

// A block object with a file system mounted at the given points (NUL-terminated, as sent).
UDisks2Interfaces MountedBlock(const QList<QByteArray>& points, bool system = false) {
    QByteArrayList terminated;
    for (const QByteArray& point : points)
        terminated.append(point + '\0');
    return {{Block, {{QStringLiteral("HintSystem"), system}}},
            {Filesystem, {{QStringLiteral("MountPoints"), QVariant::fromValue(terminated)}}}};
}

UDisks2Objects SampleObjects() {
    const auto path = [](const char* device) {
        return QDBusObjectPath(QStringLiteral("/org/freedesktop/UDisks2/block_devices/") +
                               QLatin1String(device));
    };
    return {{path("sda1"), MountedBlock({"/"}, true)},
            {path("sda2"), MountedBlock({"/home"}, true)},
            {path("fd0"), MountedBlock({"/media/user/FLOPPY"})},
            {path("sdb1"), MountedBlock({"/mnt/a", "/media/user/STICK"})},
            {path("sdb"), {{Block, {{QStringLiteral("HintSystem"), false}}}}},
            {path("sdc1"), MountedBlock({})}};
}

TEST(UDisks2ObjectsTest, MatchesOnlyAMountPointOfARemovableFileSystem) {
    RegisterUDisks2Types();
    const struct {
        const char* mountPoint;
        const char* block; // empty: none
    } cases[] = {
        {"/media/user/FLOPPY/", "fd0"},
        {"/media/user/FLOPPY", "fd0"},
        {"/media/user/STICK/", "sdb1"},
        {"/mnt/a/", "sdb1"},
        {"/media/user/FLOPPY/sub/", ""}, // a folder inside the medium is not its root
        {"/media/user/", ""},
        {"/home/", ""}, // a system disk is never offered
        {"/", ""},
        {"", ""},
    };
    const UDisks2Objects objects = SampleObjects();
    for (const auto& c : cases) {
        const QString found = FindUDisks2Block(objects, QString::fromUtf8(c.mountPoint));
        const QString expected =
            *c.block
                ? QStringLiteral("/org/freedesktop/UDisks2/block_devices/") + QLatin1String(c.block)
                : QString();
        EXPECT_EQ(found, expected) << c.mountPoint;
    }
}

TEST(UDisks2FormatterTest, WithoutASystemBusIsNotAvailableAndFormatsNothing) {
    const QByteArray saved = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/tessmarc-test/system_bus_socket");
    const std::unique_ptr<DriveFormatter> formatter = makeUDisks2Formatter();
    EXPECT_EQ(formatter->currentLabel(QStringLiteral("/media/user/FLOPPY/")), std::nullopt);
    const FormatOutcome outcome = formatter->format(QStringLiteral("/media/user/FLOPPY/"), {});
    EXPECT_FALSE(outcome.formatted);
    EXPECT_FALSE(outcome.error.isEmpty());
    EXPECT_EQ(outcome.mountPoint, QStringLiteral("/media/user/FLOPPY/"));
    if (saved.isNull())
        qunsetenv("DBUS_SYSTEM_BUS_ADDRESS");
    else
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", saved);
}

} // namespace
} // namespace zol::test
