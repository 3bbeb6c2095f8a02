// The folder chooser: the current path's folders from the root down, then the current
// folder's subfolders, indented. A double-click moves to a folder; a single click only
// highlights it. Every move reports pathChanged.
#pragma once

#include <QListWidget>

#include <string>

namespace tessal {

class FolderList : public QListWidget {
    Q_OBJECT
  public:
    FolderList(const std::string& path, QWidget* parent);
    const std::string& path() const { return path_; }
    // False, and nothing changes, when the folder cannot be opened.
    bool setPath(const std::string& path);

  signals:
    void pathChanged();
    void openFailed(const QString& path);

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool fill(const std::string& path);
    void openItem(QListWidgetItem* item);

    std::string path_;
    bool filled_ = false;
};

} // namespace tessal
