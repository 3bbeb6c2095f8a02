// The three checks a picked digit must pass before it is written: its box, its row, its
// column. Each shows one box per cell of the unit that already shows the digit, and returns
// 1 when it found any, else 0.
#pragma once

#include "board/board.h"
#include "board/dialogs.h"

namespace tessal {

inline const char* const kInBoxMessage = "Déjà mis dans le carré!";
inline const char* const kInRowMessage = "Déjà mis en ligne !";
inline const char* const kInColumnMessage = "Déjà mis en colonne !";
// The left column of the centre box has always spoken without the space.
inline const char* const kInCentreColumnMessage = "Déjà mis en colonne!";

int verifie(const Cells& cells, Dialogs& dialogs, int bouton, int liste);
int verifiehoriz(const Cells& cells, Dialogs& dialogs, int bouton, int liste);
int verifievert(const Cells& cells, Dialogs& dialogs, int bouton, int liste);

} // namespace tessal
