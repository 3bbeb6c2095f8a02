#include "widget_adapters.h"

#include "app/cell_button.h"
#include "app/choice_list.h"
#include "app/file_name_text.h"
#include "app/folder_list.h"
#include "app/layout.h"

#include <QFontMetrics>
#include <QLabel>

namespace tessal {

using namespace layout;

namespace {

// The label's lines hold a path of a usual depth. A longer one loses its start, at a folder
// where it can, never its end: the last name stays whole with as much as fits of the end of
// the name before it, so the folder shows even behind the saved games' pattern; a last name
// too long alone keeps its own end. A screen reader still hears the path whole.
QString fittedToLabel(const QLabel* label, const QString& path) {
    const QFontMetrics metrics(label->font());
    const QRect room = label->contentsRect();
    const auto tail = [&](qsizetype from) { return QStringLiteral("\u2026") + path.mid(from); };
    const auto fits = [&](const QString& text) {
        return room.contains(
            metrics.boundingRect(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text));
    };
    // The earliest cut from `cut` to `kept` whose tail fits, so that the most shows; -1 when
    // not even the tail from `kept` fits.
    const auto shortestFrom = [&](qsizetype cut, qsizetype kept) -> qsizetype {
        if (!fits(tail(kept)))
            return -1;
        while (cut < kept) {
            const qsizetype middle = (cut + kept) / 2;
            if (fits(tail(middle)))
                kept = middle;
            else
                cut = middle + 1;
        }
        return kept;
    };
    if (fits(path))
        return path;
    const qsizetype last = path.lastIndexOf(u'/');
    const qsizetype before = last > 0 ? path.lastIndexOf(u'/', last - 1) : -1;
    for (qsizetype slash = path.indexOf(u'/', 1); slash > 0 && slash < before;
         slash = path.indexOf(u'/', slash + 1))
        if (fits(tail(slash)))
            return tail(slash);
    if (const qsizetype cut = before >= 0 ? shortestFrom(before, last) : -1; cut >= 0)
        return tail(cut);
    return tail(shortestFrom(last + 1, path.size()));
}

} // namespace

ButtonCells::ButtonCells() : readerListens_(QAccessible::isActive()) {
    QAccessible::installActivationObserver(this);
}
ButtonCells::~ButtonCells() {
    QAccessible::removeActivationObserver(this);
}

std::string ButtonCells::text(int cell) const {
    return buttons[cell]->text().toStdString();
}
void ButtonCells::setText(int cell, std::string_view text) {
    buttons[cell]->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    describe(cell);
}
Colour ButtonCells::colour(int cell) const {
    return buttons[cell]->background();
}
void ButtonCells::setColour(int cell, Colour colour) {
    buttons[cell]->setBackground(colour);
    describe(cell);
}
void ButtonCells::describe(int cell) {
    // Only a screen reader hears it: with none listening, a deal spares 81 descriptions.
    CellButton* button = buttons[cell];
    if (!readerListens_ || !button)
        return;
    button->setAccessibleDescription(QString::fromStdString(
        cellDescription(cell, button->text().toStdString(), button->background())));
}
void ButtonCells::accessibilityActiveChanged(bool active) {
    readerListens_ = active;
    if (active)
        for (int cell : kBoardOrder)
            describe(cell);
}
void ButtonCells::setVisible(int cell, bool visible) {
    buttons[cell]->setVisible(visible);
}

ListDigits::ListDigits(ChoiceList* list, const ButtonCells& cells) : list_(list), cells_(cells) {
    offerTabStop();
}
int ListDigits::selectedIndex() const {
    return list_->currentRow();
}
int ListDigits::heightTwips() const {
    return kList1.place.height;
}
int ListDigits::leftTwips() const {
    return list_->x() * kTwipsPerPixel;
}
void ListDigits::moveTo(int leftTwips, int topTwips) {
    list_->move(px(leftTwips), px(topTwips));
    offerTabStop();
}
void ListDigits::chooseNothing() {
    list_->clearSelection();
    list_->setCurrentRow(-1);
}
void ListDigits::setLeftTwips(int leftTwips) {
    list_->move(px(leftTwips), list_->y());
    offerTabStop();
}
void ListDigits::offerTabStop() {
    list_->setFocusPolicy(leftTwips() >= 0 ? Qt::StrongFocus : Qt::NoFocus);
}
void ListDigits::bringToFront() {
    list_->raise();
}
void ListDigits::takeKeyboard(int openedBeside) {
    openedBeside_ = openedBeside;
    list_->setFocus(Qt::OtherFocusReason);
}
void ListDigits::giveKeyboardBack() {
    // The window's own focus, which a refusal's message box holds for the time it is open.
    if (list_->window()->focusWidget() != list_)
        return;
    if (isCell(openedBeside_))
        cells_.buttons[openedBeside_]->setFocus(Qt::OtherFocusReason);
    else
        list_->parentWidget()->setFocus(Qt::OtherFocusReason);
}

QWidget* WindowPanel::widget(PanelControl control) const {
    switch (control) {
    case PanelControl::Label:
        return label;
    case PanelControl::Folders:
        return folders;
    case PanelControl::Volumes:
        return volumes;
    case PanelControl::SaveButton:
        return saveButton;
    case PanelControl::SavedGames:
        return savedGames;
    }
    return nullptr;
}
void WindowPanel::setShown(PanelControl control, bool shown) {
    widget(control)->setVisible(shown);
}
bool WindowPanel::isShown(PanelControl control) const {
    return !widget(control)->isHidden();
}
std::string WindowPanel::labelText() const {
    return labelBytes_;
}
void WindowPanel::setLabelText(const std::string& text) {
    labelBytes_ = text;
    const QString shown = shownName(text);
    label->setText(fittedToLabel(label, shown));
    label->setAccessibleName(shown);
}
std::string WindowPanel::folderPath() const {
    return folders->path();
}
bool WindowPanel::setFolderPath(const std::string& path) {
    return folders->setPath(path);
}
std::string WindowPanel::volumeText() const {
    return volumes->currentVolume();
}
void WindowPanel::showVolumeOf(const std::string& folder) {
    volumes->chooseVolumeOf(folder);
}
void WindowPanel::clearSavedGames() {
    savedGames->clear();
}
void WindowPanel::addSavedGame(const std::string& gameName) {
    auto* item = new QListWidgetItem(shownName(gameName), savedGames);
    item->setData(Qt::UserRole, keptBytes(gameName));
}
std::string WindowPanel::selectedSavedGame() const {
    return savedGames->currentItem() ? bytesKept(savedGames->currentItem()->data(Qt::UserRole))
                                     : "";
}

} // namespace tessal
