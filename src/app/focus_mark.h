// Where the keyboard is: a ring drawn along the inside of a control's area, black or white,
// whichever stands out more from the control's own colour, so it shows on every face and
// under every colour scheme. Nothing is drawn while the control does not hold the keyboard.
#pragma once

#include <QListWidget>

class QColor;
class QPainter;
class QRect;

namespace tessal {

void drawFocusMark(QPainter& painter, const QRect& area, const QColor& ground);

// A list box that draws the ring around its rows while it holds the keyboard.
class RingedList : public QListWidget {
    Q_OBJECT
  public:
    using QListWidget::QListWidget;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
};

} // namespace tessal
