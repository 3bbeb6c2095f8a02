// One square of the board, a colour button that knows which cell it is.
#pragma once

#include "app/colour_button.h"

class QMimeData;

namespace tessal {

class EraserPicture;

// One square of the board. Reports a press of any mouse button, of Space or of Enter, and
// drops of the eraser; every other drag is refused as it enters, so its source keeps its
// data. From the keyboard, Delete or Backspace erases as the eraser does, and the arrows
// ask for the next square on screen.
class CellButton : public ColourButton {
    Q_OBJECT
  public:
    CellButton(int cell, const EraserPicture* eraser, QWidget* parent);
    int cell() const { return cell_; }

  signals:
    void cellPressed(int cell);
    void dropped(int cell, const QMimeData* data);
    void eraseKeyed(int cell);
    void stepKeyed(int cell, int rowStep, int columnStep);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    int cell_;
    const EraserPicture* eraser_;
};

} // namespace tessal
