// The layout table in the page's terms: twips become CSS pixels only here, 15 to the pixel, the
// table's colours and faces become CSS values, and a place out of view hides a list.
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

// A list put out of the window's view is no stop of the keyboard's round, and no screen reader
// reads it: these attributes follow where it stands.
struct PlaceAttribute {
    const char* name;
    const char* inView;
    const char* outOfView;
};
inline constexpr PlaceAttribute kPlaceAttributes[] = {{"tabindex", "0", "-1"},
                                                      {"aria-hidden", "false", "true"}};

} // namespace tessal::web
