// The file panel: the label naming the folder, the volume and folder choosers, the save
// button and the list of saved games, and the handlers that save and resume with them.
#pragma once

#include "board/board.h"
#include "board/dialogs.h"

#include <optional>
#include <string>

namespace tessal {

enum class PanelControl { Label, Folders, Volumes, SaveButton, SavedGames };

// The panel's controls as the rules see them.
class PanelView {
  public:
    virtual ~PanelView() = default;
    virtual void setShown(PanelControl control, bool shown) = 0;
    virtual bool isShown(PanelControl control) const = 0;
    virtual std::string labelText() const = 0;
    virtual void setLabelText(const std::string& text) = 0;
    virtual std::string folderPath() const = 0;
    // Moves the folder list; false when the folder cannot be read. The list raises its change
    // event when it moves to another folder, as a folder chooser does, so Dir1_Change has run,
    // nested, before this returns: the label and the saved-games list follow the new folder.
    virtual bool setFolderPath(const std::string& path) = 0;
    virtual std::string volumeText() const = 0;
    // Sets the volume list to the volume that holds `folder`, raising no change of volume.
    virtual void showVolumeOf(const std::string& folder) = 0;
    virtual void clearSavedGames() = 0;
    virtual void addSavedGame(const std::string& gameName) = 0;
    virtual std::string selectedSavedGame() const = 0;
};

inline const char* const kVolumeUnavailable = "Le périphérique n'est pas disponible";
inline const char* const kVolumeErrorTitle = "Erreur";
inline const char* const kChooseFolderFirst =
    "Doubleclick pour choisir un répertoire d'enregistrement";
inline const char* const kGameNamePrompt = "Nom du fichier ?";
inline const char* const kGameNameTitle = "Saisir le nom du fichier";

class FilePanel {
  public:
    FilePanel(Cells& cells, PanelView& view, Dialogs& dialogs)
        : cells_(cells), view_(view), dialogs_(dialogs) {}

    // "ENREGISTRE LA PARTIE": opens the panel for saving.
    void Command4_Click();
    // Another volume picked: the folder list moves to it. One that cannot be read changes
    // nothing the player sees but for its message.
    void Drive1_Change();
    // The folder list moved, by a double-click or by a change of volume.
    void Dir1_Change();
    // "Enregistre": asks for a game name and writes the board.
    void Command6_Click();
    // "REPREND LA PARTIE": opens the panel with the list of saved games.
    void Command5_Click();
    // Refills the saved-games list for the label's folder, when the list is open.
    void affiche();
    // A saved game chosen: its board replaces the cells.
    void List2_Click();
    // A folder of the folder list that cannot be opened: the list stays where it was.
    void refuseFolder(const std::string& folder);
    // A saved-game file brought from elsewhere, dropped on the window: kept as its bytes in
    // the folder the folder list shows when its name and lines are sound, else refused.
    void addSavedGameFile(const std::string& fileName, const std::string& bytes);

  private:
    void show(std::initializer_list<PanelControl> controls, bool shown);
    void setLabel(const std::string& text);
    // Writes a saved game; false, once the player is told why, when it could not be.
    bool store(const std::string& path, const std::string& bytes);
    // Label and choosers catch up with the folder list, then the saved-games list refills.
    void followFolderList();

    Cells& cells_;
    PanelView& view_;
    Dialogs& dialogs_;
    // The folder whose listing pattern affiche added to the label, while the label shows it.
    std::optional<std::string> listedFolder_;
};

} // namespace tessal
