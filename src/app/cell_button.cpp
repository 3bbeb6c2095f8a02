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
    const bool held = event->isAutoRepeat();
    switch (event->key()) {
    case Qt::Key_Space: // presses the button as the mouse does: the cell becomes current
        if (!held)
            emit cellPressed(cell_);
        QPushButton::keyPressEvent(event);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!held) {
            emit cellPressed(cell_);
            click();
        }
        return;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        emit eraseKeyed(cell_);
        return;
    case Qt::Key_Up:
        emit stepKeyed(cell_, -1, 0);
        return;
    case Qt::Key_Down:
        emit stepKeyed(cell_, 1, 0);
        return;
    case Qt::Key_Left:
        emit stepKeyed(cell_, 0, -1);
        return;
    case Qt::Key_Right:
        emit stepKeyed(cell_, 0, 1);
        return;
    default:
        QPushButton::keyPressEvent(event);
    }
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
