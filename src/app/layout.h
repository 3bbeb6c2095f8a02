// The window's fixed layout: every place in twips (1440 to the inch), every colour and font,
// as one table. Twips become pixels only in px().
#pragma once

#include "play/play.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

namespace tessal::layout {

constexpr int kTwipsPerPixel = 15;
constexpr int px(int twips) {
    return twips >= 0 ? twips / kTwipsPerPixel : -((-twips) / kTwipsPerPixel);
}

struct Place {
    int left, top, width, height;
    QRect pixels() const { return QRect(px(left), px(top), px(width), px(height)); }
};

struct FontFace {
    const char* face;
    double points;
};
// Faces the machine may lack stand in with a family of the same size and weight.
QFont boldFont(const FontFace& face);

constexpr int kClientWidth = 12765;
constexpr int kClientHeight = 7800;
inline const QColor kWindowBackground{255, 255, 128};
inline const QString kCaption = QStringLiteral("Tessal - par l'équipe Tessal");
inline const QString kApplicationTitle = QStringLiteral("Tessal");

constexpr FontFace kSansSmall{"MS Sans Serif", 8.25};
constexpr FontFace kSansLarge{"MS Sans Serif", 12};
constexpr FontFace kOliveSmall{"Olive MN", 9.75};
constexpr FontFace kOliveLarge{"Olive MN", 12};
constexpr FontFace kArialBlack{"Arial Black", 12};

// The game buttons and the save button.
struct GameButton {
    const char* name;
    const char* text;
    Place place;
    QColor background;
    FontFace font;
    const char* toolTip;
};
inline const GameButton kCommand2{"Command2",      "Autre Jeu", {9000, 1320, 1215, 615},
                                  {255, 128, 128}, kOliveSmall, nullptr};
inline const GameButton kCommand3{"Command3",    "RE-INITIALISE", {8760, 2040, 1575, 495},
                                  {255, 255, 0}, kOliveSmall,     nullptr};
inline const GameButton kCommand4{
    "Command4",  "ENREGISTRE LA PARTIE",         {8520, 2640, 2175, 855}, {128, 255, 128},
    kOliveLarge, "Enregistre la partie en cours"};
inline const GameButton kCommand5{
    "Command5",    "REPREND LA PARTIE", {8520, 3600, 2175, 855},
    {0, 255, 255}, kOliveLarge,         "Reprend la partie enregistrée"};
inline const GameButton kCommand6{"Command6",  "Enregistre", {10800, 5760, 1935, 495},
                                  {0, 192, 0}, kOliveLarge,  nullptr};

constexpr Place kList1{-360, 3720, 255, kDigitListHeightTwips};
inline const QColor kList1Text{0, 0, 128};

constexpr Place kList2{10800, 3600, 1935, 1785};
inline const QColor kList2Text{0, 0, 192};
inline const QColor kList2Background{255, 255, 128};

constexpr Place kDrive1{8520, 4560, 2175, 420};
inline const QColor kDrive1Text{255, 0, 0};
inline const QColor kDrive1Background{255, 255, 128};

constexpr Place kDir1{6720, 5040, 3975, 2730};
inline const QColor kDir1Text{0, 0, 192};
inline const QColor kDir1Background{255, 128, 255};

constexpr Place kLabel1{1320, 6840, 4935, 975};
inline const QColor kLabel1Text{255, 0, 0};

constexpr Place kImage1{2400, 360, 480, 480};
inline const QString kImage1ToolTip = QStringLiteral("Gomme");

// The pictures the game's resources hold, at their size in pixels. On a screen scaled above
// one, pixmap() takes the "@2x" file, brought down to the screen's pixels.
struct Picture {
    QString file;
    QSize size;
    QPixmap pixmap(qreal devicePixelRatio) const;
};
inline const Picture kBackdrop{QStringLiteral(":/background.jpg"), {959, 719}};
inline const Picture kEraser{QStringLiteral(":/eraser.png"), {32, 32}};
inline const Picture kIcons[] = {{QStringLiteral(":/icon-16.png"), {16, 16}},
                                 {QStringLiteral(":/icon-32.png"), {32, 32}}};

// What a screen reader says the controls are for; a cell says where it stands and whose digit
// it shows, rows and columns counted from 1.
inline const QString kList1Name = QStringLiteral("Chiffres");
inline const QString kList2Name = QStringLiteral("Parties enregistrées");
inline const QString kDrive1Name = QStringLiteral("Volume");
inline const QString kDir1Name = QStringLiteral("Répertoire");
inline const QString kLabel1Purpose = QStringLiteral("Répertoire d'enregistrement");
inline const QString kCellPlace = QStringLiteral("ligne %1, colonne %2, %3");
inline const QString kCellGiven = QStringLiteral("chiffre donné");
inline const QString kCellEntry = QStringLiteral("chiffre du joueur");
inline const QString kCellEmpty = QStringLiteral("case vide");

// The frame of the grid (Line1, 20 pixels) and the lines between boxes (Line2, 10 pixels).
struct GridLine {
    int x1, y1, x2, y2, widthPixels;
};
inline const QColor kLineColour{128, 64, 0};
constexpr GridLine kLines[] = {
    {1680, 1920, 6480, 1920, 20}, {1680, 6720, 6480, 6720, 20}, {6480, 1920, 6480, 6615, 20},
    {1680, 6600, 1680, 1920, 20}, {1800, 3560, 6360, 3560, 10}, {1800, 5100, 6360, 5100, 10},
    {3300, 2040, 3300, 6720, 10}, {4840, 1920, 4840, 6720, 10},
};

} // namespace tessal::layout
