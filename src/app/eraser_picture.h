// The eraser above the grid: a picture that reports a press of any mouse button, so the
// window can start dragging it onto a cell.
#pragma once

#include <QLabel>

namespace tessal {

class EraserPicture : public QLabel {
    Q_OBJECT
  public:
    explicit EraserPicture(QWidget* parent) : QLabel(parent) {}

  signals:
    void pressed();

  protected:
    void mousePressEvent(QMouseEvent*) override { emit pressed(); }
};

} // namespace tessal
