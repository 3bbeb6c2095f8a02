#include "folder_list.h"

#include "app/file_name_text.h"
#include "savegame/folders.h"

#include <QKeyEvent>
#include <QStyle>

#include <filesystem>

namespace tessal {

namespace {
constexpr int kPathRole = Qt::UserRole;
constexpr int kIndentPerLevel = 2; // spaces
} // namespace

FolderList::FolderList(const std::string& path, QWidget* parent)
    : QListWidget(parent), path_(path) {
    setSelectionMode(QAbstractItemView::SingleSelection);
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
    const auto subfolders = subfolderNames(path);
    if (!subfolders && !evenUnreadable)
        return false;
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirIcon);
    int depth = 0;
    QListWidgetItem* current = nullptr;
    for (const std::string& folder : foldersDownTo(path)) {
        const std::string name = std::filesystem::path(folder).filename().string();
        auto* item = new QListWidgetItem(
            open, QString(depth * kIndentPerLevel, ' ') + shownName(name.empty() ? folder : name),
            this);
        item->setData(kPathRole, keptBytes(folder));
        current = item;
        ++depth;
    }
    for (const std::string& name : subfolders.value_or(std::vector<std::string>{})) {
        auto* item = new QListWidgetItem(
            closed, QString(depth * kIndentPerLevel, ' ') + shownName(name), this);
        item->setData(kPathRole,
                      keptBytes((std::filesystem::path(path) / name).lexically_normal().string()));
    }
    setCurrentItem(current);
    return true;
}

} // namespace tessal
