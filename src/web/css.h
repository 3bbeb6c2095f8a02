// The layout table in CSS terms: twips become CSS pixels only here, 15 to the pixel, and the
// table's colours and faces become CSS values.
#pragma once

#include "board/board.h"
#include "layout/window_layout.h"

#include <string>

namespace tessal::web {

std::string cssPixels(int twips);
std::string cssColour(const layout::Rgb& rgb);
// The given colour is the browser's own button face, as it is the platform's on the desktop.
std::string cssColour(Colour colour);
// Bold, in the table's face, else the browser's sans-serif of the same size.
std::string cssFont(const layout::FontFace& face);

} // namespace tessal::web
