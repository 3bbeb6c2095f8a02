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
    // A typed key chooses the next item that starts with it, the current one last, so "5"
    // chooses "5" again. Qt's own search would join keys typed in quick succession: a "3"
    // then a "5" would look for "35" and choose nothing.
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.front().isPrint() && !typed.front().isSpace()) {
        for (int step = 1; step <= count(); ++step) {
            const int row = (currentRow() + step) % count();
            if (item(row)->text().startsWith(typed, Qt::CaseInsensitive)) {
                choose(row);
                break;
            }
        }
        return;
    }
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    const bool confirm = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                          event->key() == Qt::Key_Space) &&
                         !event->isAutoRepeat();
    if (currentItem() && (currentRow() != before || confirm))
        choose(currentRow());
}

void ChoiceList::choose(int row) {
    setCurrentRow(row);
    currentItem()->setSelected(true);
    emit chosen();
}

} // namespace tessal
