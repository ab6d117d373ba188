#include "UDisks2Objects.h"

#include <QByteArrayList>
#include <QDBusArgument>
#include <QDBusMetaType>

namespace zol {

namespace {

const QString BlockInterface = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString FilesystemInterface = QStringLiteral("org.freedesktop.UDisks2.Filesystem");

QString WithoutTrailingSlash(QString path) {
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

// MountPoints is an array of NUL-terminated byte strings; it arrives as a D-Bus argument from
// the bus and as a list when built by hand.
QByteArrayList MountPoints(const QVariant& value) {
    QByteArrayList points = value.canConvert<QDBusArgument>()
                                ? qdbus_cast<QByteArrayList>(value.value<QDBusArgument>())
                                : value.value<QByteArrayList>();
    for (QByteArray& point : points)
        if (point.endsWith('\0'))
            point.chop(1);
    return points;
}

} // namespace

void RegisterUDisks2Types() {
    qDBusRegisterMetaType<QVariantMap>();
    qDBusRegisterMetaType<UDisks2Interfaces>();
    qDBusRegisterMetaType<UDisks2Objects>();
}

QString FindUDisks2Block(const UDisks2Objects& objects, const QString& mountPoint) {
    const QByteArray wanted = WithoutTrailingSlash(mountPoint).toUtf8();
    if (wanted.isEmpty() || wanted == "/")
        return {};
    for (auto object = objects.cbegin(); object != objects.cend(); ++object) {
        const UDisks2Interfaces& interfaces = object.value();
        if (!interfaces.contains(BlockInterface) || !interfaces.contains(FilesystemInterface))
            continue;
        if (interfaces[BlockInterface].value(QStringLiteral("HintSystem")).toBool())
            continue;
        const QByteArrayList points =
            MountPoints(interfaces[FilesystemInterface].value(QStringLiteral("MountPoints")));
        for (const QByteArray& point : points)
            if (WithoutTrailingSlash(QString::fromUtf8(point)).toUtf8() == wanted)
                return object.key().path();
    }
    return {};
}

} // namespace zol
