// Prints the window's stylesheet from the layout table: the window's size, colour and
// backdrop, every control's place, colours and font, the cells and the lines of the grid. The
// page takes its look from it, the backdrop included, before the game has loaded.
#include "css.h"

#include <cmath>
#include <iostream>
#include <string>

using namespace tessal;
using namespace tessal::layout;
using namespace tessal::web;

namespace {

std::string placed(const Place& place) {
    return "left:" + cssPixels(place.left) + ";top:" + cssPixels(place.top) +
           ";width:" + cssPixels(place.width) + ";height:" + cssPixels(place.height) + ";";
}

std::string pixels(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6gpx", value);
    return text;
}

// A line of the grid, square-ended as the desktop draws it: it reaches half its width past
// both ends.
std::string drawn(const GridLine& line) {
    const double scale = kTwipsPerPixel, half = line.widthPixels / 2.0;
    const double left = std::min(line.x1, line.x2) / scale - half;
    const double top = std::min(line.y1, line.y2) / scale - half;
    const double width = std::abs(line.x2 - line.x1) / scale + line.widthPixels;
    const double height = std::abs(line.y2 - line.y1) / scale + line.widthPixels;
    return "left:" + pixels(left) + ";top:" + pixels(top) + ";width:" + pixels(width) +
           ";height:" + pixels(height) + ";background:" + cssColour(kLineColour) + ";";
}

std::string url(const std::string& file) {
    return "url(\"" + file + "\")";
}

} // namespace

int main() {
    std::cout << "#window{width:" << cssPixels(kClientWidth)
              << ";height:" << cssPixels(kClientHeight)
              << ";background:" << cssColour(kWindowBackground) << " no-repeat 0 0/"
              << kBackdrop.width << "px " << kBackdrop.height
              << "px;background-image:" << url(kBackdrop.file) << ";background-image:image-set("
              << url(kBackdrop.file) << " 1x," << url(sharpFile(kBackdrop)) << " 2x)}\n";
    for (const Control* control : kControls) {
        std::cout << "#" << control->name << "{" << placed(control->place);
        if (control->textColour)
            std::cout << "color:" << cssColour(*control->textColour) << ";";
        if (control->background)
            std::cout << "background-color:" << cssColour(*control->background) << ";";
        if (control->font)
            std::cout << "font:" << cssFont(*control->font) << ";";
        std::cout << "}\n";
    }
    std::cout << ".cell{font:" << cssFont(kCellFont) << ";width:" << cssPixels(kCellSizeTwips)
              << ";height:" << cssPixels(kCellSizeTwips) << "}\n";
    for (int cell : kBoardOrder) {
        const Place place = cellPlace(cell);
        std::cout << "#" << cellName(cell) << "{left:" << cssPixels(place.left)
                  << ";top:" << cssPixels(place.top) << "}\n";
    }
    int k = 0;
    for (const GridLine& line : kLines)
        std::cout << "#line" << k++ << "{" << drawn(line) << "}\n";
}
