#include "page_window.h"

#include "layout/window_layout.h"
#include "savegame/saved_game.h"
#include "web/store.h"

#include <algorithm>

namespace tessal::web {

using namespace layout;

namespace {

val document() {
    return val::global("document");
}

val element(const char* tag) {
    return document().call<val>("createElement", std::string(tag));
}

void setAttribute(val& element, const char* name, const std::string& value) {
    element.call<void>("setAttribute", std::string(name), value);
}

// A name or a path inside a message, isolated so that its own right-to-left letters or marks
// cannot reorder the sentence around it.
std::string quoted(const std::string& name) {
    return "« \u2068" + name + "\u2069 »";
}

// Bytes offered as a file to download, as they are; the object URL lives until revoked.
std::string objectUrl(const std::string& bytes) {
    const val copy = val::global("Uint8Array")
                         .new_(val(emscripten::typed_memory_view(
                             bytes.size(), reinterpret_cast<const unsigned char*>(bytes.data()))));
    val options = val::object();
    options.set("type", std::string("text/plain"));
    const val blob = val::global("Blob").new_(val::array(std::vector<val>{copy}), options);
    return val::global("URL").call<std::string>("createObjectURL", blob);
}

} // namespace

PageWindow::PageWindow(val root)
    : root_(std::move(root)), image1_(dressed("img", kImage1)), label1_(dressed("div", kLabel1)),
      list1_(listBox(kList1)), list2_(listBox(kList2)), drive1_(dressed("select", kDrive1)),
      dir1_(listBox(kDir1)), command6_(button(kCommand6)),
      savedGames_(document().call<val>("getElementById", std::string("saved-games"))),
      folders_(dir1_, kStoreFolder), digits_(list1_, cells_, kList1.place.left, kList1.place.top),
      panel_(label1_, folders_, drive1_, command6_, list2_), commands_(cells_, values_, random_),
      play_(cells_, digits_, dialogs_, values_), filePanel_(cells_, panel_, dialogs_) {
    document().set("title", std::string(kCaption));
    buildWindow();
    folders_.pathChanged = [this] { Dir1_Change(); };
    folders_.openFailed = [this](const std::string& folder) { filePanel_.refuseFolder(folder); };
    Form_Load();
}

val PageWindow::dressed(const char* tag, const Control& control) {
    val created = element(tag);
    created.set("id", std::string(control.name));
    if (control.toolTip)
        created.set("title", std::string(control.toolTip));
    if (control.accessibleName)
        setAttribute(created, "aria-label", control.accessibleName);
    created.set("hidden", control.hiddenAtStart);
    return created;
}

val PageWindow::listBox(const Control& control) {
    val list = dressed("div", control);
    list.set("className", std::string("listbox"));
    setAttribute(list, "role", "listbox");
    list.set("tabIndex", 0);
    return list;
}

val PageWindow::button(const Control& control) {
    val created = dressed("button", control);
    created.set("type", std::string("button"));
    created.set("className", std::string("command"));
    created.set("textContent", std::string(control.text));
    return created;
}

void PageWindow::buildWindow() {
    int k = 0;
    for ([[maybe_unused]] const GridLine& line : kLines) {
        val drawn = element("div");
        drawn.set("id", "line" + std::to_string(k++));
        drawn.set("className", std::string("line"));
        root_.call<void>("append", drawn);
    }

    image1_.set("src", std::string(kEraser.file));
    image1_.set("srcset", std::string(kEraser.file) + " 1x, " + sharpFile(kEraser) + " 2x");
    image1_.set("width", kEraser.width);
    image1_.set("height", kEraser.height);
    image1_.set("alt", std::string(kImage1.accessibleName));
    image1_.set("draggable", false);
    root_.call<void>("append", image1_);
    root_.call<void>("append", label1_);

    for (int digit = 1; digit <= 9; ++digit)
        appendOption(list1_, digitText(digit));
    for (int cell : kBoardOrder) {
        val square = element("button");
        square.set("id", cellName(cell));
        square.set("type", std::string("button"));
        square.set("className", std::string("cell"));
        square["dataset"].set("cell", cell);
        root_.call<void>("append", square);
        cells_.buttons[cell] = square;
        cells_.setColour(cell, kGivenColour);
        if (cell == 1)
            root_.call<void>("append", list1_);
    }

    for (const Control* control : {&kCommand2, &kCommand3, &kCommand4, &kCommand5})
        root_.call<void>("append", button(*control));
    root_.call<void>("append", list2_);
    val volume = element("option");
    volume.set("value", std::string(kStoreFolder));
    volume.set("textContent", std::string(kStoreFolder));
    drive1_.call<void>("append", volume);
    root_.call<void>("append", drive1_);
    root_.call<void>("append", dir1_);
    root_.call<void>("append", command6_);
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
    cells_.buttons[cellAt(row, column)].call<void>("focus");
}

void PageWindow::addDroppedFile(const std::string& fileName, const std::string& bytes) {
    refreshFromStore();
    const auto gameName = gameNameOf(fileName);
    const auto board = bytes.size() <= kMaxReadBytes ? parseBoard(bytes) : std::nullopt;
    if (!gameName || !isAcceptableGameName(*gameName) || !board) {
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
    for (const std::string& url : downloads_)
        val::global("URL").call<void>("revokeObjectURL", url);
    downloads_.clear();
    savedGames_.set("textContent", std::string());
    std::string reason;
    for (const std::string& gameName :
         savedGameNames(kStoreFolder, reason).value_or(std::vector<std::string>{})) {
        const std::string path = savedGamePath(kStoreFolder, gameName);
        const auto start = readFileStart(path, kMaxReadBytes, reason);
        if (!start || !start->wholeFile)
            continue;
        val link = element("a");
        downloads_.push_back(objectUrl(start->bytes));
        link.set("href", downloads_.back());
        link.set("download", path.substr(path.rfind('/') + 1));
        link.set("textContent", gameName);
        val item = element("li");
        item.call<void>("append", link);
        savedGames_.call<void>("append", item);
    }
}

} // namespace tessal::web
