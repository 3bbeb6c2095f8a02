// A push button in the graphical style: its face is one flat fill of its own colour, so an
// entry cell reads exactly its RGB on screen and a given cell the platform's button face.
#pragma once

#include "board/board.h"

#include <QPushButton>

class QMimeData;

namespace tessal {

class EraserPicture;

class ColourButton : public QPushButton {
    Q_OBJECT
  public:
    explicit ColourButton(QWidget* parent);
    Colour background() const { return background_; }
    void setBackground(Colour colour);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // The platform's button text, unless it cannot be read on this button's own colour.
    QColor textColour() const;

    Colour background_ = kGivenColour;
};

// One square of the board. Reports a press of any mouse button or of Space, and drops of
// the eraser; every other drag is refused as it enters, so its source keeps its data.
class CellButton : public ColourButton {
    Q_OBJECT
  public:
    CellButton(int cell, const EraserPicture* eraser, QWidget* parent);
    int cell() const { return cell_; }

  signals:
    void cellPressed(int cell);
    void dropped(int cell, const QMimeData* data);

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
