#include "choice_list.h"

#include <QKeyEvent>

namespace tessal {

ChoiceList::ChoiceList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, &ChoiceList::chosen);
}

void ChoiceList::keyPressEvent(QKeyEvent* event) {
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    const bool confirm = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                         event->key() == Qt::Key_Space;
    if (currentItem() && (currentRow() != before || confirm)) {
        currentItem()->setSelected(true);
        emit chosen();
    }
}

} // namespace tessal
