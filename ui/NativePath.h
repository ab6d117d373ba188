#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>

namespace zol {

// Paths travel as the file system's bytes in the engine and as QString in the widgets.
inline QString FromNative(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

inline std::string ToNative(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace zol
