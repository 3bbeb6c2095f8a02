#include "page_window.h"

#include "layout/window_layout.h"
#include "savegame/saved_game.h"
#include "web/elements.h"
#include "web/store.h"

#include <string_view>

namespace tessal::web {

using namespace layout;

namespace {

// Where the saved games are offered as files to download, outside the window.
const char* const kOffers = "saved-games";

// Chromium drops, without a word, a download whose name would pass a file name's 255 bytes
// once it adds ".crdownload" while the file arrives, and " (1)" to " (100)" when the name is
// taken. A saved game with a longer name is offered under its name cut to fit, at a
// character's edge; its bytes stay as they are.
std::string downloadName(const std::string& fileName) {
    constexpr std::size_t kLongest =
        255 - std::string_view(".crdownload").size() - std::string_view(" (100)").size();
    if (fileName.size() <= kLongest)
        return fileName;
    std::size_t cut = kLongest - kFileSuffix.size();
    while (cut > 0 && (static_cast<unsigned char>(fileName[cut]) & 0xC0) == 0x80)
        --cut;
    return fileName.substr(0, cut) + std::string(kFileSuffix);
}

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
    focus(cellName(steppedCell(cell, rowStep, columnStep)));
}

void PageWindow::addDroppedFile(const std::string& fileName, const std::string& bytes) {
    refreshFromStore();
    filePanel_.addSavedGameFile(fileName, bytes);
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
            offerFile(kOffers, shownAsListed(gameName),
                      downloadName(path.substr(path.rfind('/') + 1)), start->bytes);
    }
}

} // namespace tessal::web
