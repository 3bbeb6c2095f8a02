#include "window_layout.h"

namespace tessal::layout {

std::string cellName(int cell) {
    return "Command1_" + std::to_string(cell);
}

std::string cellDescription(int cell, std::string_view text, Colour colour) {
    const char* whose = text.empty()             ? "case vide"
                        : colour == kGivenColour ? "chiffre donné"
                                                 : "chiffre du joueur";
    return "ligne " + std::to_string(rowOf(cell) + 1) + ", colonne " +
           std::to_string(columnOf(cell) + 1) + ", " + whose;
}

std::string sharpFile(const Picture& picture) {
    std::string file = picture.file;
    file.insert(file.rfind('.'), "@2x");
    return file;
}

} // namespace tessal::layout
