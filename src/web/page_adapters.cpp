#include "page_adapters.h"

#include "layout/window_layout.h"
#include "savegame/folders.h"
#include "savegame/saved_game.h"
#include "web/css.h"
#include "web/elements.h"

namespace tessal::web {

using namespace layout;

namespace {

const char* name(PanelControl control) {
    switch (control) {
    case PanelControl::Label:
        return kLabel1.name;
    case PanelControl::Folders:
        return kDir1.name;
    case PanelControl::Volumes:
        return kDrive1.name;
    case PanelControl::SaveButton:
        return kCommand6.name;
    case PanelControl::SavedGames:
        return kList2.name;
    }
    return "";
}
} // namespace

// A deal writes all 81 squares; only those that change reach the page, whose markup starts
// them empty on the givens' colour.
void PageCells::setText(int cell, std::string_view text) {
    if (texts_[cell] == text)
        return;
    texts_[cell] = text;
    web::setText(cellName(cell), texts_[cell]);
    describe(cell);
}
void PageCells::setColour(int cell, Colour colour) {
    if (backgrounds_[cell] == colour)
        return;
    backgrounds_[cell] = colour;
    setStyle(cellName(cell), "background-color", cssColour(colour));
    describe(cell);
}
void PageCells::setVisible(int cell, bool visible) {
    setHidden(cellName(cell), !visible);
}
void PageCells::describe(int cell) {
    setAttribute(cellName(cell), "aria-description",
                 cellDescription(cell, texts_[cell], backgrounds_[cell]));
}

PageDigits::PageDigits() : left_(kList1.place.left), top_(kList1.place.top) {}
int PageDigits::selectedIndex() const {
    return chosenOption(kList1.name);
}
int PageDigits::heightTwips() const {
    return kList1.place.height;
}
void PageDigits::moveTo(int leftTwips, int topTwips) {
    left_ = leftTwips;
    top_ = topTwips;
    setStyle(kList1.name, "left", cssPixels(left_));
    setStyle(kList1.name, "top", cssPixels(top_));
    for (const PlaceAttribute& attribute : kPlaceAttributes)
        setAttribute(kList1.name, attribute.name,
                     left_ >= 0 ? attribute.inView : attribute.outOfView);
}
void PageDigits::chooseNothing() {
    markOption(kList1.name, -1);
}
void PageDigits::setLeftTwips(int leftTwips) {
    moveTo(leftTwips, top_);
}
void PageDigits::bringToFront() {
    setStyle(kList1.name, "z-index", "1");
}
void PageDigits::takeKeyboard(int openedBeside) {
    openedBeside_ = openedBeside;
    focus(kList1.name);
}
void PageDigits::giveKeyboardBack() {
    // A refusal's box gave the keyboard back to the list as it closed.
    if (!hasFocus(kList1.name))
        return;
    if (isCell(openedBeside_))
        focus(cellName(openedBeside_));
    else
        blur(kList1.name);
}

PageFolderList::PageFolderList(std::string volume) : volume_(std::move(volume)), path_(volume_) {}

bool PageFolderList::setPath(const std::string& requested) {
    const std::string path = normalFolder(requested);
    if (!fill(path, false))
        return false;
    if (path_ == path)
        return true;
    path_ = path;
    pathChanged();
    return true;
}

void PageFolderList::shown() {
    fill(path_, true);
}

void PageFolderList::open(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    const std::string target = rows_[row];
    if (!setPath(target))
        openFailed(target);
}

bool PageFolderList::fill(const std::string& path, bool evenUnreadable) {
    // Never above the volume, in memory: saves there would be lost.
    const auto rows = folderRows(path, volume_, evenUnreadable);
    if (!rows)
        return false;
    rows_.clear();
    clearOptions(kDir1.name);
    int current = 0;
    for (const FolderRow& row : *rows) {
        appendOption(kDir1.name, shownAsListed(row.name), row.open ? "open" : "", row.depth);
        if (row.open)
            current = static_cast<int>(rows_.size());
        rows_.push_back(row.path);
    }
    markOption(kDir1.name, current);
    return true;
}

void PagePanel::setShown(PanelControl control, bool shown) {
    const bool showing = shown && !isShown(control);
    setHidden(name(control), !shown);
    if (showing && control == PanelControl::Folders)
        folders_.shown();
}
bool PagePanel::isShown(PanelControl control) const {
    return !isHidden(name(control));
}
void PagePanel::setLabelText(const std::string& text) {
    labelText_ = text;
    setText(kLabel1.name, text);
}
std::string PagePanel::volumeText() const {
    return valueOf(kDrive1.name);
}
void PagePanel::clearSavedGames() {
    gameNames_.clear();
    clearOptions(kList2.name);
}
void PagePanel::addSavedGame(const std::string& gameName) {
    gameNames_.push_back(gameName);
    appendOption(kList2.name, shownAsListed(gameName));
}
std::string PagePanel::selectedSavedGame() const {
    const int chosen = chosenOption(kList2.name);
    return chosen >= 0 && chosen < static_cast<int>(gameNames_.size()) ? gameNames_[chosen] : "";
}

} // namespace tessal::web
