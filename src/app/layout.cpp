#include "layout.h"

#include <QStringList>

namespace tessal::layout {

QFont boldFont(const FontSpec& spec) {
    QFont font;
    font.setFamilies({QString::fromUtf8(spec.face), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Sans Serif")});
    font.setPointSizeF(spec.points);
    font.setBold(true);
    return font;
}

} // namespace tessal::layout
