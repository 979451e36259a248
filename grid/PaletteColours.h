// The colours the grid draws with, taken from a palette, and the contrast between colours as
// the web accessibility guidelines measure it (relative luminance of sRGB, 1:1 to 21:1).
// Texts and the focus frame keep at least kTextContrast against their background, grid lines
// at least kLineContrast: where the palette's own pair falls short, the foreground is moved
// towards black or white until it reaches it.
#pragma once

#include <QColor>

class QPalette;

constexpr double kTextContrast = 4.5;
constexpr double kLineContrast = 3.0;

struct SGridColours {
    QColor text, cellBk, outerBk, fixedText, fixedBk, gridLines;
    QColor focusFrame, greyText, highlight, highlightText;
    QColor light, midlight, dark, shadow; // the edges of the fixed cells
};

double RelativeLuminance(const QColor& colour);
double ContrastRatio(const QColor& a, const QColor& b);

// colour itself when it keeps minRatio against background; else the colour nearest to it on
// its way to black or white that does. Towards the side it already stands on when that side
// can reach minRatio, else towards the other.
QColor ReadableOn(const QColor& colour, const QColor& background, double minRatio);

// Whether the palette shows light text on a dark base.
bool IsDarkPalette(const QPalette& palette);

// The grid's colours from the active group of palette.
SGridColours GridColours(const QPalette& palette);
