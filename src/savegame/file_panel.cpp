#include "file_panel.h"

#include "savegame/saved_game.h"

namespace tessal {

using enum PanelControl;

namespace {

// A name or a path inside a message, shown as the lists show it and isolated, so that its
// own right-to-left letters cannot reorder the sentence around it.
std::string quoted(const std::string& name) {
    return "« \u2068" + shownAsListed(name) + "\u2069 »";
}

// What is wrong with a refused game name, in the order of NameFault.
constexpr const char* kNameFaults[] = {
    "il ne doit contenir ni « / » ni « \\ »",
    "il contient un saut de ligne",
    "il contient un caractère de contrôle",
    "il contient une marque invisible qui change l'ordre du texte",
    "il contient un caractère invisible, qui le ferait ressembler à un autre nom",
};

} // namespace

void FilePanel::setLabel(const std::string& text) {
    view_.setLabelText(text);
    listedFolder_.reset();
}

void FilePanel::show(std::initializer_list<PanelControl> controls, bool shown) {
    for (PanelControl control : controls)
        view_.setShown(control, shown);
}

void FilePanel::Command4_Click() {
    show({Folders, Volumes, SaveButton, Label}, true);
    setLabel(view_.folderPath());
}

void FilePanel::Drive1_Change() {
    const std::string volume = view_.volumeText();
    const std::string label = view_.labelText();
    const auto listedFolder = listedFolder_;
    setLabel(joinPath(volume, ""));
    if (!view_.setFolderPath(volume)) {
        // The folder list stayed where it was: the volume list and the label go back to it,
        // so a save goes where the player sees.
        view_.showVolumeOf(view_.folderPath());
        view_.setLabelText(label);
        listedFolder_ = listedFolder;
        dialogs_.message(kVolumeUnavailable, MessageIcon::Critical, kVolumeErrorTitle);
    }
}

// The label takes the folder before the lists show and again once they do, should showing
// them have moved the folder list.
void FilePanel::followFolderList() {
    setLabel(view_.folderPath());
    show({Folders, Volumes}, true);
    setLabel(view_.folderPath());
    affiche();
}

void FilePanel::Dir1_Change() {
    followFolderList();
}

void FilePanel::Command6_Click() {
    const std::string label = view_.labelText();
    if (label.empty()) {
        dialogs_.message(kChooseFolderFirst, MessageIcon::Warning);
        return;
    }
    const std::string gameName = dialogs_.input(kGameNamePrompt, kGameNameTitle, "");
    if (gameName.empty()) {
        show({Folders, Volumes, SaveButton, Label, SavedGames}, false);
        return;
    }
    if (const auto fault = gameNameFault(gameName)) {
        dialogs_.message("Le nom " + quoted(gameName) +
                             " ne peut pas servir : " + kNameFaults[static_cast<int>(*fault)] + ".",
                         MessageIcon::Critical);
        return;
    }
    // A label still showing the listing pattern names the folder it was added to.
    if (store(savedGamePath(listedFolder_.value_or(label), gameName), boardBytes(cells_)))
        show({Folders, Volumes, SaveButton, Label}, false);
}

bool FilePanel::store(const std::string& path, const std::string& bytes) {
    if (auto reason = writeFileAtomically(path, bytes)) {
        dialogs_.message("La partie n'a pas pu être enregistrée dans le fichier " + quoted(path) +
                             " : " + *reason + ".",
                         MessageIcon::Critical);
        return false;
    }
    return true;
}

void FilePanel::addSavedGameFile(const std::string& fileName, const std::string& bytes) {
    const auto gameName = gameNameOf(fileName);
    if (!gameName || gameName->empty() || gameNameFault(*gameName) ||
        bytes.size() > kMaxReadBytes || !parseBoard(bytes)) {
        dialogs_.message("Le fichier " + quoted(fileName) +
                             " ne peut pas être ajouté : ce n'est pas une partie enregistrée "
                             "valide.",
                         MessageIcon::Critical);
        return;
    }
    // An open list of saved games shows the new one, as "REPREND LA PARTIE" would.
    if (store(savedGamePath(view_.folderPath(), *gameName), bytes) && view_.isShown(SavedGames))
        Command5_Click();
}

void FilePanel::Command5_Click() {
    view_.setShown(SavedGames, true);
    followFolderList();
}

void FilePanel::affiche() {
    if (!view_.isShown(SavedGames))
        return;
    view_.clearSavedGames();
    const std::string folder = view_.labelText();
    view_.setLabelText(joinPath(folder, kListingName));
    listedFolder_ = folder;
    std::string reason;
    const auto gameNames = savedGameNames(folder, reason);
    if (!gameNames) {
        dialogs_.message("Le répertoire " + quoted(folder) + " ne peut pas être lu : " + reason +
                             ".",
                         MessageIcon::Critical);
        return;
    }
    for (const std::string& gameName : *gameNames)
        view_.addSavedGame(gameName);
}

void FilePanel::List2_Click() {
    const std::string path = savedGamePath(view_.folderPath(), view_.selectedSavedGame());
    std::string reason;
    const auto start = readFileStart(path, kMaxReadBytes, reason);
    const auto board = start ? parseBoard(start->bytes, start->wholeFile) : std::nullopt;
    if (!board) {
        if (start)
            reason = "ce n'est pas une partie enregistrée valide";
        dialogs_.message("La partie du fichier " + quoted(path) +
                             " ne peut pas être reprise : " + reason + ".",
                         MessageIcon::Critical);
        return;
    }
    applyBoard(cells_, *board);
    show({SavedGames, Volumes, Folders, Label}, false);
}

void FilePanel::refuseFolder(const std::string& folder) {
    dialogs_.message("Le répertoire " + quoted(folder) + " ne peut pas être ouvert.",
                     MessageIcon::Critical);
}

} // namespace tessal
