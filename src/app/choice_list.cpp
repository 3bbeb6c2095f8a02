#include "choice_list.h"

#include <QKeyEvent>

namespace tessal {

ChoiceList::ChoiceList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, &ChoiceList::chosen);
}

void ChoiceList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit dismissed();
        return;
    }
    const bool arrow = event->key() == Qt::Key_Down || event->key() == Qt::Key_Up;
    // Qt marks the first item current, unselected, when the list takes the focus: a plain
    // Down from there would skip it.
    if (arrow && selectedItems().isEmpty() && count() > 0) {
        choose(event->key() == Qt::Key_Down ? 0 : count() - 1);
        return;
    }
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (!currentItem())
        return;
    const bool confirm = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                          event->key() == Qt::Key_Space) &&
                         !event->isAutoRepeat();
    // Typing "5" on the digit list chooses "5" even when it was the last digit chosen.
    const bool typed = !event->text().trimmed().isEmpty() &&
                       currentItem()->text().startsWith(event->text(), Qt::CaseInsensitive);
    if (currentRow() != before || confirm || typed)
        choose(currentRow());
}

void ChoiceList::choose(int row) {
    setCurrentRow(row);
    currentItem()->setSelected(true);
    emit chosen();
}

} // namespace tessal
