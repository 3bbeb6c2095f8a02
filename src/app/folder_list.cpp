#include "folder_list.h"

#include "app/file_name_text.h"
#include "savegame/folders.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

namespace tessal {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;
const QString kIndentPerLevel = QStringLiteral("  "); // as wide as two spaces

// A folder's depth is room drawn before it, no part of its name: typing a name's first
// letters finds it, and a screen reader reads the name alone.
class IndentedFolders : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(option.rect.left() + indent(option, index));
        QStyledItemDelegate::paint(painter, indented, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(indent(option, index), 0);
    }

  private:
    static int indent(const QStyleOptionViewItem& option, const QModelIndex& index) {
        return index.data(kDepthRole).toInt() *
               option.fontMetrics.horizontalAdvance(kIndentPerLevel);
    }
};

} // namespace

FolderList::FolderList(const std::string& path, QWidget* parent) : RingedList(parent), path_(path) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new IndentedFolders(this));
    connect(this, &QListWidget::itemDoubleClicked, this, &FolderList::openItem);
}

void FolderList::showEvent(QShowEvent* event) {
    // The folder is read when the player opens the panel, not at start-up, and anew at each
    // opening, so that a folder made meanwhile is there.
    fill(path_, true);
    QListWidget::showEvent(event);
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem())
        openItem(currentItem());
    else
        QListWidget::keyPressEvent(event);
}

void FolderList::openItem(QListWidgetItem* item) {
    const std::string target = bytesKept(item->data(kPathRole));
    if (!setPath(target))
        emit openFailed(target);
}

bool FolderList::setPath(const std::string& requested) {
    const std::string path = normalFolder(requested);
    if (!fill(path, false))
        return false;
    if (path_ == path)
        return true;
    path_ = path;
    emit pathChanged();
    return true;
}

bool FolderList::fill(const std::string& path, bool evenUnreadable) {
    const auto rows = folderRows(path, "/", evenUnreadable);
    if (!rows)
        return false;
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirIcon);
    QListWidgetItem* current = nullptr;
    for (const FolderRow& row : *rows) {
        auto* item = new QListWidgetItem(row.open ? open : closed, shownName(row.name), this);
        item->setData(kPathRole, keptBytes(row.path));
        item->setData(kDepthRole, row.depth);
        if (row.open)
            current = item;
    }
    setCurrentItem(current);
    return true;
}

} // namespace tessal
