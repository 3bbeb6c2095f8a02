// The game as a page: the window takes the page's controls and deals its first game. The page's
// events call the handlers below, each the window's handler of that name; the saved games are
// offered once the page has started.
#include "savegame/saved_game.h"
#include "web/page_window.h"
#include "web/store.h"

#include <emscripten.h>

#include <string>

namespace {
tessal::web::PageWindow* page = nullptr;
}

extern "C" {

EMSCRIPTEN_KEEPALIVE void Form_Click() {
    page->Form_Click();
}
EMSCRIPTEN_KEEPALIVE void Command1_MouseDown(int Index) {
    page->Command1_MouseDown(Index);
}
EMSCRIPTEN_KEEPALIVE void Command1_Click(int Index) {
    page->Command1_Click(Index);
}
EMSCRIPTEN_KEEPALIVE void Command1_DragDrop(int Index, int sourceIsEraser) {
    page->Command1_DragDrop(Index, sourceIsEraser != 0);
}
EMSCRIPTEN_KEEPALIVE void Command2_Click() {
    page->Command2_Click();
}
EMSCRIPTEN_KEEPALIVE void Command3_Click() {
    page->Command3_Click();
}
EMSCRIPTEN_KEEPALIVE void List1_Click() {
    page->List1_Click();
}
EMSCRIPTEN_KEEPALIVE void Command4_Click() {
    page->Command4_Click();
}
EMSCRIPTEN_KEEPALIVE void Command5_Click() {
    page->Command5_Click();
}
EMSCRIPTEN_KEEPALIVE void Command6_Click() {
    page->Command6_Click();
}
EMSCRIPTEN_KEEPALIVE void Drive1_Change() {
    page->Drive1_Change();
}
EMSCRIPTEN_KEEPALIVE void List2_Click() {
    page->List2_Click();
}
EMSCRIPTEN_KEEPALIVE void Dir1_Open(int row) {
    page->Dir1_Open(row);
}
EMSCRIPTEN_KEEPALIVE void stepFocus(int cell, int rowStep, int columnStep) {
    page->stepFocus(cell, rowStep, columnStep);
}
EMSCRIPTEN_KEEPALIVE void addDroppedFile(const char* fileName, const char* bytes, int length) {
    page->addDroppedFile(fileName, std::string(bytes, static_cast<std::size_t>(length)));
}
// A dropped file longer than a saved game may be is refused whatever follows.
EMSCRIPTEN_KEEPALIVE int droppedFileReadLimit() {
    return static_cast<int>(tessal::kMaxReadBytes) + 1;
}
EMSCRIPTEN_KEEPALIVE void offerSavedGames() {
    tessal::web::refreshFromStore();
    page->offerSavedGames();
}

} // extern "C"

int main() {
    tessal::web::mountStore();
    page = new tessal::web::PageWindow();
}
