#include "css.h"

#include <cstdio>

namespace tessal::web {

std::string cssPixels(int twips) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6gpx", twips / static_cast<double>(layout::kTwipsPerPixel));
    return text;
}

std::string cssColour(const layout::Rgb& rgb) {
    return "rgb(" + std::to_string(rgb.red) + "," + std::to_string(rgb.green) + "," +
           std::to_string(rgb.blue) + ")";
}

std::string cssColour(Colour colour) {
    return colour.isButtonFace()
               ? "ButtonFace"
               : cssColour(layout::Rgb{colour.red(), colour.green(), colour.blue()});
}

std::string cssFont(const layout::FontFace& face) {
    char points[32];
    std::snprintf(points, sizeof points, "%gpt", face.points);
    return std::string("bold ") + points + " \"" + face.face + "\", sans-serif";
}

} // namespace tessal::web
