// File and folder names are bytes on Linux. The window keeps those bytes with every entry
// that names a file and shows them as Qt decodes file names, as plain text.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QVariant>

#include <string>

namespace tessal {

inline QString shownName(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}
inline QVariant keptBytes(const std::string& bytes) {
    return QByteArray::fromStdString(bytes);
}
inline std::string bytesKept(const QVariant& data) {
    return data.toByteArray().toStdString();
}

} // namespace tessal
