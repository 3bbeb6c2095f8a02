#include "cell_button.h"

#include "app/eraser_picture.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

namespace tessal {

CellButton::CellButton(int cell, const EraserPicture* eraser, QWidget* parent)
    : ColourButton(parent), cell_(cell), eraser_(eraser) {
    setAcceptDrops(true);
}

void CellButton::mousePressEvent(QMouseEvent* event) {
    emit cellPressed(cell_);
    QPushButton::mousePressEvent(event);
}

void CellButton::keyPressEvent(QKeyEvent* event) {
    // Space presses a button as the mouse does, so it makes the cell current the same way.
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat())
        emit cellPressed(cell_);
    QPushButton::keyPressEvent(event);
}

void CellButton::dragEnterEvent(QDragEnterEvent* event) {
    if (eraser_->carries(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CellButton::dropEvent(QDropEvent* event) {
    if (!eraser_->carries(event->mimeData())) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit dropped(cell_, event->mimeData());
}

} // namespace tessal
