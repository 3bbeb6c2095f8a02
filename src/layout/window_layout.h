// The game window's fixed layout, the one table every front end builds from: each control's
// name, place in twips (1440 to the inch, 15 to a pixel at 96 dots per inch), caption,
// tool-tip, colours and font; the grid's lines; the pictures; what a screen reader hears.
// No toolkit type stands here: the Qt window and the web page each turn these into their own.
#pragma once

#include "board/board.h"
#include "play/play.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessal::layout {

constexpr int kTwipsPerPixel = 15;

struct Place {
    int left, top, width, height;
};
struct Rgb {
    int red, green, blue;
};
// Every text is bold; a face the machine lacks stands in with a sans-serif of the same size.
struct FontFace {
    const char* face;
    double points;
};

constexpr int kClientWidth = 12765;
constexpr int kClientHeight = 7800;
constexpr Rgb kWindowBackground{255, 255, 128};
constexpr const char* kCaption = "Tessal - par l'équipe Tessal";
// The title of a box that has none of its own.
constexpr const char* kApplicationTitle = "Tessal";

constexpr FontFace kSansSmall{"MS Sans Serif", 8.25};
constexpr FontFace kSansLarge{"MS Sans Serif", 12};
constexpr FontFace kOliveSmall{"Olive MN", 9.75};
constexpr FontFace kOliveLarge{"Olive MN", 12};
constexpr FontFace kArialBlack{"Arial Black", 12};

// One control: an absent colour is the platform's own; an absent tool-tip, none. A control
// with no caption of its own carries a name for screen readers; one whose text is its name,
// what it is for as its description. The file panel's controls wait hidden until a save or a
// resume opens it.
struct Control {
    const char* name;
    const char* text = "";
    Place place{};
    std::optional<Rgb> textColour{};
    std::optional<Rgb> background{};
    std::optional<FontFace> font{};
    const char* toolTip = nullptr;
    const char* accessibleName = nullptr;
    const char* accessibleDescription = nullptr;
    bool hiddenAtStart = false;
};

constexpr Control kCommand2{.name = "Command2",
                            .text = "Autre Jeu",
                            .place = {9000, 1320, 1215, 615},
                            .background = Rgb{255, 128, 128},
                            .font = kOliveSmall};
constexpr Control kCommand3{.name = "Command3",
                            .text = "RE-INITIALISE",
                            .place = {8760, 2040, 1575, 495},
                            .background = Rgb{255, 255, 0},
                            .font = kOliveSmall};
constexpr Control kCommand4{.name = "Command4",
                            .text = "ENREGISTRE LA PARTIE",
                            .place = {8520, 2640, 2175, 855},
                            .background = Rgb{128, 255, 128},
                            .font = kOliveLarge,
                            .toolTip = "Enregistre la partie en cours"};
constexpr Control kCommand5{.name = "Command5",
                            .text = "REPREND LA PARTIE",
                            .place = {8520, 3600, 2175, 855},
                            .background = Rgb{0, 255, 255},
                            .font = kOliveLarge,
                            .toolTip = "Reprend la partie enregistrée"};
constexpr Control kCommand6{.name = "Command6",
                            .text = "Enregistre",
                            .place = {10800, 5760, 1935, 495},
                            .background = Rgb{0, 192, 0},
                            .font = kOliveLarge,
                            .hiddenAtStart = true};
// The digits keep their navy on the platform's list background; out of view at first.
constexpr Control kList1{.name = "List1",
                         .place = {-360, 3720, 255, kDigitListHeightTwips},
                         .textColour = Rgb{0, 0, 128},
                         .font = kSansSmall,
                         .accessibleName = "Chiffres"};
constexpr Control kList2{.name = "List2",
                         .place = {10800, 3600, 1935, 1785},
                         .textColour = Rgb{0, 0, 192},
                         .background = Rgb{255, 255, 128},
                         .font = kArialBlack,
                         .accessibleName = "Parties enregistrées",
                         .hiddenAtStart = true};
constexpr Control kDrive1{.name = "Drive1",
                          .place = {8520, 4560, 2175, 420},
                          .textColour = Rgb{255, 0, 0},
                          .background = Rgb{255, 255, 128},
                          .font = kSansLarge,
                          .accessibleName = "Volume",
                          .hiddenAtStart = true};
constexpr Control kDir1{.name = "Dir1",
                        .place = {6720, 5040, 3975, 2730},
                        .textColour = Rgb{0, 0, 192},
                        .background = Rgb{255, 128, 255},
                        .font = kSansLarge,
                        .accessibleName = "Répertoire",
                        .hiddenAtStart = true};
// The folder a save goes to, in red on the window's own backdrop; a screen reader hears the
// whole folder as its name.
constexpr Control kLabel1{.name = "Label1",
                          .place = {1320, 6840, 4935, 975},
                          .textColour = Rgb{255, 0, 0},
                          .font = kSansLarge,
                          .accessibleDescription = "Répertoire d'enregistrement"};
// The eraser picture, named by its tool-tip.
constexpr Control kImage1{.name = "Image1",
                          .place = {2400, 360, 480, 480},
                          .toolTip = "Gomme",
                          .accessibleName = "Gomme"};

// Every control but the cells, in the order they are built.
constexpr const Control* kControls[] = {&kImage1,   &kCommand2, &kCommand3, &kCommand4,
                                        &kCommand5, &kCommand6, &kList2,    &kDrive1,
                                        &kDir1,     &kLabel1,   &kList1};

// The cells: each at its place on the board, in the small bold face, their objects named
// Command1_<cell index>.
constexpr FontFace kCellFont = kSansSmall;
constexpr Place cellPlace(int cell) {
    return {cellLeftTwips(cell), cellTopTwips(cell), kCellSizeTwips, kCellSizeTwips};
}
std::string cellName(int cell);
// What a screen reader tells of a cell: where it stands, rows and columns counted from 1,
// and whether it shows a given, the player's digit or nothing.
std::string cellDescription(int cell, std::string_view text, Colour colour);

// The frame of the grid (Line1, 20 pixels) and the lines between boxes (Line2, 10 pixels).
struct GridLine {
    int x1, y1, x2, y2, widthPixels;
};
constexpr Rgb kLineColour{128, 64, 0};
constexpr GridLine kLines[] = {
    {1680, 1920, 6480, 1920, 20}, {1680, 6720, 6480, 6720, 20}, {6480, 1920, 6480, 6615, 20},
    {1680, 6600, 1680, 1920, 20}, {1800, 3560, 6360, 3560, 10}, {1800, 5100, 6360, 5100, 10},
    {3300, 2040, 3300, 6720, 10}, {4840, 1920, 4840, 6720, 10},
};

// The pictures, by file name in assets/, at their size in pixels. Each has a twice-as-large
// "@2x" file for screens scaled above one.
struct Picture {
    const char* file;
    int width, height;
};
constexpr Picture kBackdrop{"background.jpg", 959, 719};
constexpr Picture kEraser{"eraser.png", 32, 32};
constexpr Picture kIcons[] = {{"icon-16.png", 16, 16}, {"icon-32.png", 32, 32}};
std::string sharpFile(const Picture& picture);

} // namespace tessal::layout
