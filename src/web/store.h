// Saved games kept in the browser: one folder of the page's file system, held in IndexedDB.
// Each save is stored alone at the moment it stands under its name, never by copying the whole
// folder, so a tab opened earlier cannot wipe or mix another tab's newer saves.
#pragma once

namespace tessal::web {

// The folder the file panel offers as its one volume; the rest of the file system lives in
// memory and is gone with the page.
inline const char* const kStoreFolder = "/parties";

// Mounts the folder over IndexedDB; its saved games arrive at the first refresh.
void mountStore();
// Waits until the folder holds what IndexedDB holds now, other tabs' saves included; a store
// that cannot be read leaves the folder as it was.
void refreshFromStore();

} // namespace tessal::web
