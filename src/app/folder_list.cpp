#include "folder_list.h"

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
    // The folder is read when the player first opens the panel, not at start-up.
    if (!filled_)
        fill(path_);
    QListWidget::showEvent(event);
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem())
        openItem(currentItem());
    else
        QListWidget::keyPressEvent(event);
}

void FolderList::openItem(QListWidgetItem* item) {
    const std::string target = item->data(kPathRole).toString().toStdString();
    if (!setPath(target))
        emit openFailed(QString::fromStdString(target));
}

bool FolderList::setPath(const std::string& requested) {
    const std::string path = normalFolder(requested);
    if (!fill(path))
        return false;
    if (path_ == path)
        return true;
    path_ = path;
    emit pathChanged();
    return true;
}

bool FolderList::fill(const std::string& path) {
    const auto subfolders = subfolderNames(path);
    if (!subfolders)
        return false;
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirIcon);
    int depth = 0;
    QListWidgetItem* current = nullptr;
    for (const std::string& folder : foldersDownTo(path)) {
        const std::string name = std::filesystem::path(folder).filename().string();
        auto* item = new QListWidgetItem(open,
                                         QString(depth * kIndentPerLevel, ' ') +
                                             QString::fromStdString(name.empty() ? folder : name),
                                         this);
        item->setData(kPathRole, QString::fromStdString(folder));
        current = item;
        ++depth;
    }
    for (const std::string& name : *subfolders) {
        auto* item = new QListWidgetItem(
            closed, QString(depth * kIndentPerLevel, ' ') + QString::fromStdString(name), this);
        item->setData(kPathRole,
                      QString::fromStdString(
                          (std::filesystem::path(path) / name).lexically_normal().string()));
    }
    setCurrentItem(current);
    filled_ = true;
    return true;
}

} // namespace tessal
