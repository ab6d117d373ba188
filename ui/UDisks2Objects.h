#pragma once

#include <QDBusObjectPath>
#include <QMap>
#include <QString>
#include <QVariantMap>

namespace zol {

// The reply of org.freedesktop.DBus.ObjectManager.GetManagedObjects: for each object, its
// interfaces with their properties.
using UDisks2Interfaces = QMap<QString, QVariantMap>;
using UDisks2Objects = QMap<QDBusObjectPath, UDisks2Interfaces>;

// Registers the types above with Qt DBus, so a reply can be read into them.
void RegisterUDisks2Types();

// The block object whose file system is mounted exactly at mountPoint (a trailing "/" does
// not count) and that is not a system device; an empty path when there is none. A folder
// merely inside a mount is never matched, so the disk holding it is never offered.
QString FindUDisks2Block(const UDisks2Objects& objects, const QString& mountPoint);

} // namespace zol
