#include "choice_list.h"

#include <QKeyEvent>

#include <algorithm>

namespace tessal {

ChoiceList::ChoiceList(QWidget* parent) : RingedList(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, &ChoiceList::chosen);
}

void ChoiceList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit dismissed();
        return;
    }
    const bool arrow = event->key() == Qt::Key_Down || event->key() == Qt::Key_Up;
    // Ctrl with a move walks the list without choosing, so every item can be reached from
    // the keyboard; Enter or Space then chooses.
    if (event->modifiers() & Qt::ControlModifier && count() > 0) {
        const int row = currentRow(), last = count() - 1;
        const int to = event->key() == Qt::Key_Down   ? std::min(row + 1, last)
                       : event->key() == Qt::Key_Up   ? std::max(row - 1, 0)
                       : event->key() == Qt::Key_Home ? 0
                       : event->key() == Qt::Key_End  ? last
                                                      : -1;
        if (to >= 0) {
            setCurrentRow(to, QItemSelectionModel::NoUpdate);
            return;
        }
    }
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
        // With nothing chosen yet, the row Qt made current is no choice to move on from.
        const int from = selectedItems().isEmpty() ? -1 : currentRow();
        for (int step = 1; step <= count(); ++step) {
            const int row = (from + step) % count();
            if (item(row)->text().startsWith(typed, Qt::CaseInsensitive)) {
                choose(row);
                break;
            }
        }
        return;
    }
    // Space chooses the current item; Qt would also move on to an item that starts with a
    // space, such as a game saved under " x".
    if (event->key() == Qt::Key_Space && !(event->modifiers() & Qt::ControlModifier)) {
        if (currentItem() && !event->isAutoRepeat())
            choose(currentRow());
        return;
    }
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    const bool confirm =
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat();
    if (currentItem() && (currentRow() != before || confirm))
        choose(currentRow());
}

void ChoiceList::focusOutEvent(QFocusEvent* event) {
    QListWidget::focusOutEvent(event);
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        emit dismissed();
}

void ChoiceList::choose(int row) {
    setCurrentRow(row);
    currentItem()->setSelected(true);
    emit chosen();
}

} // namespace tessal
