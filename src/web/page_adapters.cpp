#include "page_adapters.h"

#include "layout/window_layout.h"
#include "savegame/folders.h"
#include "savegame/saved_game.h"
#include "web/css.h"

#include <filesystem>

namespace tessal::web {

namespace {
constexpr int kIndentPerLevel = 2; // spaces
} // namespace

void appendOption(val& list, const std::string& text) {
    val option = val::global("document").call<val>("createElement", std::string("div"));
    const int row = list["children"]["length"].as<int>();
    option.set("id", list["id"].as<std::string>() + "-" + std::to_string(row));
    option.call<void>("setAttribute", std::string("role"), std::string("option"));
    option.call<void>("setAttribute", std::string("aria-selected"), std::string("false"));
    option.set("textContent", text);
    list.call<void>("append", option);
}

void fillListBox(val& list, const std::vector<std::string>& texts) {
    list.set("textContent", std::string());
    list.call<void>("removeAttribute", std::string("aria-activedescendant"));
    for (const std::string& text : texts)
        appendOption(list, text);
}

int chosenOption(const val& list) {
    const val options = list["children"];
    const int count = options["length"].as<int>();
    for (int k = 0; k < count; ++k)
        if (options[k].call<std::string>("getAttribute", std::string("aria-selected")) == "true")
            return k;
    return -1;
}

std::string PageCells::text(int cell) const {
    return buttons[cell]["textContent"].as<std::string>();
}
void PageCells::setText(int cell, std::string_view text) {
    buttons[cell].set("textContent", std::string(text));
    describe(cell);
}
Colour PageCells::colour(int cell) const {
    return backgrounds_[cell];
}
void PageCells::setColour(int cell, Colour colour) {
    backgrounds_[cell] = colour;
    buttons[cell]["style"].set("backgroundColor", cssColour(colour));
    describe(cell);
}
void PageCells::setVisible(int cell, bool visible) {
    buttons[cell].set("hidden", !visible);
}
void PageCells::describe(int cell) {
    buttons[cell].call<void>("setAttribute", std::string("aria-description"),
                             layout::cellDescription(cell, text(cell), colour(cell)));
}

PageDigits::PageDigits(val list, const PageCells& cells, int leftTwips, int topTwips)
    : list_(std::move(list)), cells_(cells), left_(leftTwips), top_(topTwips) {
    moveTo(left_, top_);
}
int PageDigits::selectedIndex() const {
    return chosenOption(list_);
}
int PageDigits::heightTwips() const {
    return layout::kList1.place.height;
}
void PageDigits::moveTo(int leftTwips, int topTwips) {
    left_ = leftTwips;
    top_ = topTwips;
    list_["style"].set("left", cssPixels(left_));
    list_["style"].set("top", cssPixels(top_));
}
void PageDigits::setLeftTwips(int leftTwips) {
    moveTo(leftTwips, top_);
}
void PageDigits::bringToFront() {
    list_["style"].set("zIndex", std::string("1"));
}
void PageDigits::takeKeyboard(int openedBeside) {
    openedBeside_ = openedBeside;
    list_.call<void>("focus");
}
void PageDigits::giveKeyboardBack() {
    // A refusal's box gave the keyboard back to the list as it closed.
    if (!val::global("document")["activeElement"].strictlyEquals(list_))
        return;
    if (isCell(openedBeside_))
        cells_.buttons[openedBeside_].call<void>("focus");
    else
        list_.call<void>("blur");
}

PageFolderList::PageFolderList(val list, std::string volume)
    : list_(std::move(list)), volume_(std::move(volume)), path_(volume_) {}

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
    const auto subfolders = subfolderNames(path);
    if (!subfolders && !evenUnreadable)
        return false;
    rows_.clear();
    std::vector<std::string> texts;
    for (const std::string& folder : foldersDownTo(path)) {
        if (!folder.starts_with(volume_))
            continue; // above the volume, in memory: saves there would be lost
        const std::string name = std::filesystem::path(folder).filename().string();
        texts.push_back(std::string(rows_.size() * kIndentPerLevel, ' ') + name);
        rows_.push_back(folder);
    }
    const std::size_t current = rows_.size() - 1, depth = rows_.size();
    for (const std::string& name : subfolders.value_or(std::vector<std::string>{})) {
        texts.push_back(std::string(depth * kIndentPerLevel, ' ') + name);
        rows_.push_back(joinPath(path, name));
    }
    fillListBox(list_, texts);
    const val options = list_["children"];
    for (std::size_t k = 0; k < rows_.size(); ++k)
        options[k]["classList"].call<void>("add", std::string(k <= current ? "open" : "closed"));
    options[current].call<void>("setAttribute", std::string("aria-selected"), std::string("true"));
    list_.call<void>("setAttribute", std::string("aria-activedescendant"),
                     options[current]["id"].as<std::string>());
    return true;
}

PagePanel::PagePanel(val label, PageFolderList& folders, val volumes, val saveButton,
                     val savedGames)
    : label_(std::move(label)), folders_(folders), volumes_(std::move(volumes)),
      saveButton_(std::move(saveButton)), savedGames_(std::move(savedGames)) {}

val PagePanel::element(PanelControl control) const {
    switch (control) {
    case PanelControl::Label:
        return label_;
    case PanelControl::Folders:
        return folders_.element();
    case PanelControl::Volumes:
        return volumes_;
    case PanelControl::SaveButton:
        return saveButton_;
    case PanelControl::SavedGames:
        return savedGames_;
    }
    return val::undefined();
}
void PagePanel::setShown(PanelControl control, bool shown) {
    const bool showing = shown && !isShown(control);
    element(control).set("hidden", !shown);
    if (showing && control == PanelControl::Folders)
        folders_.shown();
}
bool PagePanel::isShown(PanelControl control) const {
    return !element(control)["hidden"].as<bool>();
}
void PagePanel::setLabelText(const std::string& text) {
    labelText_ = text;
    label_.set("textContent", text);
}
std::string PagePanel::volumeText() const {
    return volumes_["value"].as<std::string>();
}
void PagePanel::clearSavedGames() {
    gameNames_.clear();
    fillListBox(savedGames_, gameNames_);
}
void PagePanel::addSavedGame(const std::string& gameName) {
    gameNames_.push_back(gameName);
    appendOption(savedGames_, gameName);
}
std::string PagePanel::selectedSavedGame() const {
    const int chosen = chosenOption(savedGames_);
    return chosen >= 0 && chosen < static_cast<int>(gameNames_.size()) ? gameNames_[chosen] : "";
}

} // namespace tessal::web
