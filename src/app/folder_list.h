// The folder chooser: the current path's folders from the root down, then the current
// folder's subfolders, indented. A double-click moves to a folder; a single click only
// highlights it. Every move reports pathChanged. Paths are kept as the file system's bytes.
// While it holds the keyboard, a ring marks it.
#pragma once

#include "app/focus_mark.h"

#include <string>

namespace tessal {

class FolderList : public RingedList {
    Q_OBJECT
  public:
    FolderList(const std::string& path, QWidget* parent);
    const std::string& path() const { return path_; }
    // False, and nothing changes, when the folder cannot be opened.
    bool setPath(const std::string& path);

  signals:
    void pathChanged();
    void openFailed(const std::string& folder);

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Lists a folder; false when it cannot be read, unless `evenUnreadable`, which lists
    // its parents alone so that the player can climb out.
    bool fill(const std::string& path, bool evenUnreadable);
    void openItem(QListWidgetItem* item);

    std::string path_;
};

} // namespace tessal
