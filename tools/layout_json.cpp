// Prints the window's layout table as JSON, for the scripts that drive the game from outside
// (the end-to-end tests, the benchmarks): places in twips, texts, tool-tips, names.
#include "layout/window_layout.h"

#include <iostream>
#include <string>

using namespace tessal;
using namespace tessal::layout;

namespace {

std::string quoted(const char* text) {
    if (!text)
        return "null";
    std::string json = "\"";
    for (const char* c = text; *c; ++c) {
        if (*c == '"' || *c == '\\')
            json += '\\';
        json += *c;
    }
    return json + "\"";
}

std::string placeJson(const Place& place) {
    return "[" + std::to_string(place.left) + ", " + std::to_string(place.top) + ", " +
           std::to_string(place.width) + ", " + std::to_string(place.height) + "]";
}

} // namespace

int main() {
    std::cout << "{\n  \"twipsPerPixel\": " << kTwipsPerPixel << ",\n  \"client\": ["
              << kClientWidth << ", " << kClientHeight << "],\n  \"caption\": " << quoted(kCaption)
              << ",\n  \"title\": " << quoted(kApplicationTitle) << ",\n  \"controls\": {";
    const char* separator = "\n";
    for (const Control* control : kControls) {
        std::cout << separator << "    " << quoted(control->name)
                  << ": {\"place\": " << placeJson(control->place)
                  << ", \"text\": " << quoted(control->text)
                  << ", \"toolTip\": " << quoted(control->toolTip)
                  << ", \"accessibleName\": " << quoted(control->accessibleName)
                  << ", \"accessibleDescription\": " << quoted(control->accessibleDescription)
                  << ", \"hiddenAtStart\": " << (control->hiddenAtStart ? "true" : "false") << "}";
        separator = ",\n";
    }
    std::cout << "\n  },\n  \"cells\": {";
    separator = "\n";
    for (int cell : kBoardOrder) {
        std::cout << separator << "    \"" << cell << "\": " << placeJson(cellPlace(cell));
        separator = ",\n";
    }
    std::cout << "\n  }\n}\n";
}
