// File and folder names are bytes on Linux. The window keeps those bytes with every entry
// that names a file and shows them as Qt decodes file names, as plain text on one line: what
// would break or reorder that line shows as U+FFFD.
#pragma once

#include "savegame/saved_game.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QVariant>

#include <string>

namespace tessal {

inline QString shownName(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(shownAsListed(bytes)));
}
inline QVariant keptBytes(const std::string& bytes) {
    return QByteArray::fromStdString(bytes);
}
inline std::string bytesKept(const QVariant& data) {
    return data.toByteArray().toStdString();
}

} // namespace tessal
