#include "layout.h"

#include <QStringList>

namespace tessal::layout {

QFont boldFont(const FontFace& face) {
    QFont font;
    font.setFamilies({QString::fromUtf8(face.face), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Sans Serif")});
    font.setPointSizeF(face.points);
    font.setBold(true);
    return font;
}

QPixmap Picture::pixmap(qreal devicePixelRatio) const {
    if (devicePixelRatio <= 1)
        return QPixmap(file);
    // Qt's own lookup serves a fractional scale from the plain file, blown up and blurred; the
    // "@2x" file brought down to the screen's pixels stays sharp at every scale above one.
    QString sharpFile = file;
    sharpFile.insert(sharpFile.lastIndexOf(u'.'), QStringLiteral("@2x"));
    QPixmap pixmap(sharpFile);
    const QSize pixels = (QSizeF(size) * devicePixelRatio).toSize();
    if (!pixmap.isNull() && pixmap.size() != pixels)
        pixmap = pixmap.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

} // namespace tessal::layout
