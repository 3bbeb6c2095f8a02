// Where the keyboard is: a ring drawn along the inside of a control's area, black or white,
// whichever stands out more from the control's own colour, so it shows on every face and
// under every colour scheme. Nothing is drawn while the control does not hold the keyboard.
#pragma once

class QColor;
class QPainter;
class QRect;

namespace tessal {

void drawFocusMark(QPainter& painter, const QRect& area, const QColor& ground);

} // namespace tessal
