// The window's layout in Qt's terms: twips become pixels only in px(), and the table's
// colours, fonts, texts and pictures become Qt's own.
#pragma once

#include "layout/window_layout.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

namespace tessal::layout {

constexpr int px(int twips) {
    return twips >= 0 ? twips / kTwipsPerPixel : -((-twips) / kTwipsPerPixel);
}
inline QRect pixels(const Place& place) {
    return QRect(px(place.left), px(place.top), px(place.width), px(place.height));
}
inline QColor qColour(const Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}
inline QString qText(const char* text) {
    return QString::fromUtf8(text);
}
QFont boldFont(const FontFace& face);

// A picture of the game: at the normal scale, as the build decoded it; on a screen scaled above
// one, the "@2x" file from the resources, brought down to the screen's pixels.
QPixmap pixmap(const Picture& picture, qreal devicePixelRatio);
inline QSize pixelSize(const Picture& picture) {
    return QSize(picture.width, picture.height);
}

} // namespace tessal::layout
