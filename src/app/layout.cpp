#include "layout.h"

#include "app/decoded_pictures.h"

#include <QStringList>

#include <cstring>

namespace tessal::layout {

QFont boldFont(const FontFace& face) {
    QFont font;
    font.setFamilies({QString::fromUtf8(face.face), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Sans Serif")});
    font.setPointSizeF(face.points);
    font.setBold(true);
    return font;
}

QPixmap pixmap(const Picture& picture, qreal devicePixelRatio) {
    if (devicePixelRatio <= 1) {
        // Shown from where the build put it, in its own format: nothing is copied.
        for (const DecodedPicture& decoded : decodedPictures())
            if (std::strcmp(decoded.file, picture.file) == 0)
                return QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(decoded.pixels),
                                                 decoded.width, decoded.height,
                                                 decoded.bytesPerLine, decoded.format),
                                          Qt::NoFormatConversion);
        return {};
    }
    // Qt's own lookup serves a fractional scale from the plain file, blown up and blurred; the
    // "@2x" file brought down to the screen's pixels stays sharp at every scale above one.
    QPixmap sharp(QStringLiteral(":/") + QString::fromStdString(sharpFile(picture)));
    const QSize size = (QSizeF(pixelSize(picture)) * devicePixelRatio).toSize();
    if (!sharp.isNull() && sharp.size() != size)
        sharp = sharp.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    sharp.setDevicePixelRatio(devicePixelRatio);
    return sharp;
}

} // namespace tessal::layout
