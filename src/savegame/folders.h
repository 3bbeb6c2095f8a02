// What the volume and folder choosers show: the machine's volumes and a folder's subfolders.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessal {

// The readable folders mounted on the machine, "/" first, from a mount table in the form of
// /proc/self/mounts; pseudo file systems, the system's own /run (but for the removable media
// that desktops mount under /run/media) and single files mounted in place are left out.
// `home`, when given, is offered last.
std::vector<std::string> mountedVolumes(std::string_view mountTable, const std::string& home);
std::vector<std::string> systemVolumes();

// Where the folder list starts: the process's current folder, readable or not, or, when that
// folder was removed, the home folder, or else the root.
std::string startFolder();

// The volume a folder lies on: the longest of `volumes` that contains it.
std::string volumeOf(const std::string& folder, const std::vector<std::string>& volumes);

// A folder's visible subfolders in name order, or nothing when it cannot be opened.
std::optional<std::vector<std::string>> subfolderNames(const std::string& folder);

// A folder's path in one form: no "." or "..", and no trailing "/" but for the root.
std::string normalFolder(const std::string& folder);

// The folders from the root down to `folder` itself, each as a full path.
std::vector<std::string> foldersDownTo(const std::string& folder);

// One entry of the folder chooser: a folder on the way down to the current one (open), or a
// subfolder of the current one, with its name as the file system spells it ("/" for the root)
// and its depth below the chooser's top.
struct FolderRow {
    std::string path;
    std::string name;
    int depth = 0;
    bool open = false;
};
// What the folder chooser lists for `folder`: the folders from `top` down to it, then its
// subfolders. Nothing when it cannot be read, unless `evenUnreadable`: then the way down
// alone, so that the player can climb out.
std::optional<std::vector<FolderRow>> folderRows(const std::string& folder, const std::string& top,
                                                 bool evenUnreadable);

} // namespace tessal
