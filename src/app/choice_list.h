// A single-selection list box that reports every choice of an item: a mouse click, even on
// the item already selected, and a keyboard move or Enter on an item.
#pragma once

#include <QListWidget>

namespace tessal {

class ChoiceList : public QListWidget {
    Q_OBJECT
  public:
    explicit ChoiceList(QWidget* parent);

  signals:
    void chosen();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace tessal
