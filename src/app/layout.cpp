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

} // namespace tessal::layout
