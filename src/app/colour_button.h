// A push button in the graphical style: its face is one flat fill of its own colour, so an
// entry cell reads exactly its RGB on screen and a given cell the platform's button face.
#pragma once

#include "board/board.h"

#include <QPushButton>

namespace tessal {

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

} // namespace tessal
