#include "colour_button.h"

#include "app/contrast.h"
#include "app/focus_mark.h"

#include <QPainter>

namespace tessal {

// Enter presses a button as Space does, as players expect outside dialogs too.
ColourButton::ColourButton(QWidget* parent) : QPushButton(parent) {
    setAutoDefault(true);
}

void ColourButton::setBackground(Colour colour) {
    if (colour == background_)
        return;
    background_ = colour;
    update();
}

void ColourButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor fill = background_.isButtonFace()
                            ? palette().color(QPalette::Button)
                            : QColor(background_.red(), background_.green(), background_.blue());
    // The face and its bevel are drawn in device pixels, out to where the widget's edges
    // fall once rounded: at 1.25 or 1.5 times, a cell then still overlaps the next one by a
    // pixel, as the layout has it, instead of showing both their edges.
    const qreal ratio = devicePixelRatioF();
    const QRect place = geometry();
    const QRect face(0, 0, qRound((place.x() + place.width()) * ratio) - qRound(place.x() * ratio),
                     qRound((place.y() + place.height()) * ratio) - qRound(place.y() * ratio));
    painter.save();
    painter.scale(1 / ratio, 1 / ratio);
    painter.fillRect(face, fill);

    // A thin classic bevel, sunk while the button is held down.
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Shadow);
    painter.setPen(isDown() ? dark : light);
    painter.drawLine(face.topLeft(), face.topRight());
    painter.drawLine(face.topLeft(), face.bottomLeft());
    painter.setPen(isDown() ? light : dark);
    painter.drawLine(face.bottomLeft(), face.bottomRight());
    painter.drawLine(face.topRight(), face.bottomRight());
    painter.restore();

    painter.setPen(textColour());
    painter.setFont(font());
    painter.drawText(rect().adjusted(2, 2, -2, -2), Qt::AlignCenter | Qt::TextWordWrap, text());

    if (hasFocus())
        drawFocusMark(painter, rect().adjusted(2, 2, -2, -2), fill);
}

QColor ColourButton::textColour() const {
    const QColor platform = palette().color(QPalette::ButtonText);
    if (background_.isButtonFace())
        return platform;
    return readableAgainst(QColor(background_.red(), background_.green(), background_.blue()),
                           platform);
}

} // namespace tessal
