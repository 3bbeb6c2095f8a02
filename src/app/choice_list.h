// A single-selection list box that reports every choice of an item: a mouse click, even on
// the item already selected, a keyboard move, Enter or Space on an item, and a key that an
// item starts with, however quickly it follows the last. With nothing chosen yet, the first
// Down chooses the first item and Up the last. Ctrl with the arrows, Home or End walks the
// list without choosing. Escape, or Tab or Shift+Tab away from the list, reports that the
// player turned it down. While it holds the keyboard, a ring marks it.
#pragma once

#include "app/focus_mark.h"

namespace tessal {

class ChoiceList : public RingedList {
    Q_OBJECT
  public:
    explicit ChoiceList(QWidget* parent);

  signals:
    void chosen();
    void dismissed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void choose(int row);
};

} // namespace tessal
