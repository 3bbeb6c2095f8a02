#include "checks.h"

namespace tessal {

namespace {

template <typename MessageFor>
int scan(const Cells& cells, Dialogs& dialogs, const Unit& unit, int liste, MessageFor messageFor) {
    const std::string digit = digitText(liste);
    int flag = 0;
    for (int cell : unit) {
        if (!digit.empty() && cells.text(cell) == digit) {
            dialogs.message(messageFor(cell), MessageIcon::Critical);
            flag = 1;
        }
    }
    return flag;
}

} // namespace

int verifie(const Cells& cells, Dialogs& dialogs, int bouton, int liste) {
    return scan(cells, dialogs, boxCells(boxOf(bouton)), liste, [](int) { return kInBoxMessage; });
}

int verifiehoriz(const Cells& cells, Dialogs& dialogs, int bouton, int liste) {
    return scan(cells, dialogs, rowCells(rowOf(bouton)), liste, [](int) { return kInRowMessage; });
}

int verifievert(const Cells& cells, Dialogs& dialogs, int bouton, int liste) {
    return scan(cells, dialogs, columnCells(columnOf(bouton)), liste, [](int cell) {
        return cell == 41 || cell == 44 || cell == 47 ? kInCentreColumnMessage : kInColumnMessage;
    });
}

} // namespace tessal
