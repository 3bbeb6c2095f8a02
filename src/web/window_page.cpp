// Writes the window as the page's markup and stylesheet, from the layout table, as the site is
// built: every control with its name, caption, tool-tip, name for screen readers and
// visibility, in the desktop's keyboard order (what comes first lies beneath); every place,
// colour and font; the backdrop and the lines of the grid. The page shows the whole window
// before the game has loaded; the game then only deals.
//
// window_page <index.html template> <site folder>: fills the template's empty window element
// and writes index.html and window.css into the site.
#include "layout/window_layout.h"
#include "web/css.h"
#include "web/store.h"

#include <cmath>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>

using namespace tessal;
using namespace tessal::layout;
using namespace tessal::web;

namespace {

// The table's texts are the game's own, yet they go through the same escape as any text.
std::string escaped(std::string_view text) {
    std::string html;
    for (char c : text) {
        switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '"':
            html += "&quot;";
            break;
        default:
            html += c;
        }
    }
    return html;
}

std::string attribute(const char* name, std::string_view value) {
    return std::string(" ") + name + "=\"" + escaped(value) + "\"";
}

// A control's opening tag: its name, tool-tip, name for screen readers and visibility.
std::string opening(const char* tag, const Control& control, const std::string& more = "") {
    std::string html = std::string("<") + tag + attribute("id", control.name) + more;
    if (control.toolTip)
        html += attribute("title", control.toolTip);
    if (control.accessibleName)
        html += attribute("aria-label", control.accessibleName);
    if (control.accessibleDescription)
        html += attribute("aria-description", control.accessibleDescription);
    return html + (control.hiddenAtStart ? " hidden>" : ">");
}

std::string button(const Control& control) {
    return opening("button", control, attribute("type", "button") + attribute("class", "command")) +
           escaped(control.text) + "</button>\n";
}

std::string listBox(const Control& control, const std::string& options = "") {
    std::string placed;
    for (const PlaceAttribute& place : kPlaceAttributes)
        placed += attribute(place.name, control.place.left >= 0 ? place.inView : place.outOfView);
    return opening("div", control,
                   attribute("class", "listbox") + attribute("role", "listbox") + placed) +
           options + "</div>\n";
}

// The backdrop is fetched at once, beside the game, not once the stylesheet is applied.
std::string backdropPreload() {
    return "<link rel=\"preload\" as=\"image\"" + attribute("href", kBackdrop.file) +
           attribute("imagesrcset",
                     std::string(kBackdrop.file) + " 1x, " + sharpFile(kBackdrop) + " 2x") +
           ">";
}

std::string markup() {
    std::string html = "\n";
    for (std::size_t k = 0; k < std::size(kLines); ++k)
        html += "<div class=\"line\" id=\"line" + std::to_string(k) + "\"></div>\n";
    html +=
        opening("img", kImage1,
                attribute("src", kEraser.file) +
                    attribute("srcset",
                              std::string(kEraser.file) + " 1x, " + sharpFile(kEraser) + " 2x") +
                    attribute("width", std::to_string(kEraser.width)) +
                    attribute("height", std::to_string(kEraser.height)) +
                    attribute("alt", kImage1.accessibleName) + attribute("draggable", "false")) +
        "\n";
    html += opening("div", kLabel1) + "</div>\n";
    std::string digits;
    for (int digit = 1; digit <= 9; ++digit)
        digits += "<div role=\"option\" id=\"List1-" + std::to_string(digit - 1) +
                  "\" aria-selected=\"false\">" + digitText(digit) + "</div>";
    for (int cell : kBoardOrder) {
        html += "<button type=\"button\" class=\"cell\"" + attribute("id", cellName(cell)) +
                attribute("data-cell", std::to_string(cell)) +
                attribute("aria-description", cellDescription(cell, "", kGivenColour)) +
                "></button>\n";
        if (cell == 1)
            html += listBox(kList1, digits);
    }
    for (const Control* control : {&kCommand2, &kCommand3, &kCommand4, &kCommand5})
        html += button(*control);
    html += listBox(kList2);
    html += opening("select", kDrive1) + "<option" + attribute("value", kStoreFolder) + ">" +
            escaped(kStoreFolder) + "</option></select>\n";
    html += listBox(kDir1);
    html += button(kCommand6);
    return html;
}

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

std::string stylesheet() {
    std::ostringstream css;
    css << "#window{width:" << cssPixels(kClientWidth) << ";height:" << cssPixels(kClientHeight)
        << ";background:" << cssColour(kWindowBackground) << " no-repeat 0 0/" << kBackdrop.width
        << "px " << kBackdrop.height << "px;background-image:" << url(kBackdrop.file)
        << ";background-image:image-set(" << url(kBackdrop.file) << " 1x,"
        << url(sharpFile(kBackdrop)) << " 2x)}\n";
    for (const Control* control : kControls) {
        css << "#" << control->name << "{" << placed(control->place);
        if (control->textColour)
            css << "color:" << cssColour(*control->textColour) << ";";
        if (control->background)
            css << "background-color:" << cssColour(*control->background) << ";";
        if (control->font)
            css << "font:" << cssFont(*control->font) << ";";
        css << "}\n";
    }
    css << ".cell{font:" << cssFont(kCellFont) << ";width:" << cssPixels(kCellSizeTwips)
        << ";height:" << cssPixels(kCellSizeTwips) << "}\n";
    for (int cell : kBoardOrder) {
        const Place place = cellPlace(cell);
        css << "#" << cellName(cell) << "{left:" << cssPixels(place.left)
            << ";top:" << cssPixels(place.top) << "}\n";
    }
    int k = 0;
    for (const GridLine& line : kLines)
        css << "#line" << k++ << "{" << drawn(line) << "}\n";
    return css.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: window_page <index.html template> <site folder>\n";
        return 2;
    }
    std::ifstream input(argv[1], std::ios::binary);
    std::stringstream page;
    if (!input || !(page << input.rdbuf())) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 1;
    }
    std::string html = page.str();
    const std::string empty = "<div id=\"window\"></div>";
    const std::size_t at = html.find(empty);
    if (at == std::string::npos) {
        std::cerr << argv[1] << " has no " << empty << "\n";
        return 1;
    }
    html.replace(at, empty.size(), "<div id=\"window\">" + markup() + "</div>");
    const std::string title = "<title></title>";
    const std::size_t titleAt = html.find(title);
    if (titleAt != std::string::npos)
        html.replace(titleAt, title.size(),
                     "<title>" + escaped(kCaption) + "</title>\n" + backdropPreload());
    for (const auto& [name, text] :
         {std::pair{"/index.html", html}, {"/window.css", stylesheet()}}) {
        const std::string path = argv[2] + std::string(name);
        std::ofstream output(path, std::ios::binary);
        if (!(output << text) || !output.flush()) {
            std::cerr << "cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
