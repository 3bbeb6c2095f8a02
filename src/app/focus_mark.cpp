#include "focus_mark.h"

#include "app/contrast.h"

#include <QPainter>
#include <QRect>

namespace tessal {

namespace {
constexpr int kRingWidth = 2; // pixels, scaled with the screen
} // namespace

void drawFocusMark(QPainter& painter, const QRect& area, const QColor& ground) {
    const QColor mark = starkAgainst(ground);
    const int w = kRingWidth;
    painter.fillRect(QRect(area.left(), area.top(), area.width(), w), mark);
    painter.fillRect(QRect(area.left(), area.bottom() - w + 1, area.width(), w), mark);
    painter.fillRect(QRect(area.left(), area.top(), w, area.height()), mark);
    painter.fillRect(QRect(area.right() - w + 1, area.top(), w, area.height()), mark);
}

void RingedList::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(viewport());
        drawFocusMark(painter, viewport()->rect(), palette().color(QPalette::Base));
    }
}

void RingedList::scrollContentsBy(int dx, int dy) {
    QListWidget::scrollContentsBy(dx, dy);
    // A scroll moves what the viewport shows, the ring with it: drawn again whole, the ring
    // stays on the edge instead of striping the rows.
    if (hasFocus())
        viewport()->update();
}

} // namespace tessal
