#include "page_window.h"

#include "layout/window_layout.h"
#include "savegame/saved_game.h"
#include "web/elements.h"
#include "web/store.h"

#include <algorithm>

namespace tessal::web {

using namespace layout;

namespace {

// A name or a path inside a message, as the file panel's messages quote one: as the lists show
// it, isolated so that its own right-to-left letters cannot reorder the sentence around it.
std::string quoted(const std::string& name) {
    return "« \u2068" + shownAsListed(name) + "\u2069 »";
}

// Where the saved games are offered as files to download, outside the window.
const char* const kOffers = "saved-games";

} // namespace

PageWindow::PageWindow()
    : folders_(kStoreFolder), panel_(folders_), commands_(cells_, values_, random_),
      play_(cells_, digits_, dialogs_, values_), filePanel_(cells_, panel_, dialogs_) {
    folders_.pathChanged = [this] { Dir1_Change(); };
    folders_.openFailed = [this](const std::string& folder) { filePanel_.refuseFolder(folder); };
    Form_Load();
}

void PageWindow::Form_Load() {
    commands_.Form_Load();
}
void PageWindow::Command2_Click() {
    commands_.Command2_Click();
}
void PageWindow::Command3_Click() {
    commands_.Command3_Click();
}
void PageWindow::Form_Click() {
    play_.Form_Click();
}
void PageWindow::Command1_MouseDown(int Index) {
    play_.Command1_MouseDown(Index);
}
void PageWindow::Command1_Click(int Index) {
    play_.Command1_Click(Index);
}
void PageWindow::Command1_DragDrop(int Index, bool sourceIsEraser) {
    play_.Command1_DragDrop(Index, sourceIsEraser);
}
void PageWindow::List1_Click() {
    play_.List1_Click();
}

void PageWindow::withStore(void (FilePanel::*handler)()) {
    refreshFromStore();
    (filePanel_.*handler)();
    offerSavedGames();
}

void PageWindow::Command4_Click() {
    withStore(&FilePanel::Command4_Click);
}
void PageWindow::Command5_Click() {
    withStore(&FilePanel::Command5_Click);
}
void PageWindow::Command6_Click() {
    withStore(&FilePanel::Command6_Click);
}
void PageWindow::Drive1_Change() {
    withStore(&FilePanel::Drive1_Change);
}
void PageWindow::Dir1_Change() {
    filePanel_.Dir1_Change();
}
void PageWindow::List2_Click() {
    withStore(&FilePanel::List2_Click);
}

void PageWindow::Dir1_Open(int row) {
    refreshFromStore();
    folders_.open(row);
}

void PageWindow::stepFocus(int cell, int rowStep, int columnStep) {
    if (!isCell(cell))
        return;
    const int row = std::clamp(rowOf(cell) + rowStep, 0, 8);
    const int column = std::clamp(columnOf(cell) + columnStep, 0, 8);
    focus(cellName(cellAt(row, column)));
}

void PageWindow::addDroppedFile(const std::string& fileName, const std::string& bytes) {
    refreshFromStore();
    const auto gameName = gameNameOf(fileName);
    const auto board = bytes.size() <= kMaxReadBytes ? parseBoard(bytes) : std::nullopt;
    if (!gameName || gameNameFault(*gameName) || !board) {
        dialogs_.message("Le fichier " + quoted(fileName) +
                             " ne peut pas être ajouté : ce n'est pas une partie enregistrée "
                             "valide.",
                         MessageIcon::Critical, std::nullopt);
        return;
    }
    const std::string path = savedGamePath(panel_.folderPath(), *gameName);
    if (auto reason = writeFileAtomically(path, bytes)) {
        dialogs_.message("La partie n'a pas pu être enregistrée dans le fichier " + quoted(path) +
                             " : " + *reason + ".",
                         MessageIcon::Critical, std::nullopt);
        return;
    }
    // An open list of saved games shows the new one, as "REPREND LA PARTIE" would.
    if (panel_.isShown(PanelControl::SavedGames))
        filePanel_.Command5_Click();
    offerSavedGames();
}

void PageWindow::offerSavedGames() {
    clearOffers(kOffers);
    std::string reason;
    for (const std::string& gameName :
         savedGameNames(kStoreFolder, reason).value_or(std::vector<std::string>{})) {
        const std::string path = savedGamePath(kStoreFolder, gameName);
        const auto start = readFileStart(path, kMaxReadBytes, reason);
        if (start && start->wholeFile)
            offerFile(kOffers, shownAsListed(gameName), path.substr(path.rfind('/') + 1),
                      start->bytes);
    }
}

} // namespace tessal::web
