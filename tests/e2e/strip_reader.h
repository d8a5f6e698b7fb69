#pragma once

#include "screenshot.h"

#include <ctime>
#include <string>
#include <vector>

// The atlas the program draws with: 24 x 24 cells, 19 to a row, from code 32.
constexpr int kCell = 24;
constexpr int kAtlasColumns = 19;
constexpr int kStripWidth = 600;
constexpr int kStripHeight = 100;

// One line drawn with glyphs of the cell's size one cell apart, its first
// glyph's top-left corner at (x, y). Only rows firstRow..lastRow of each
// cell are compared: a line 22 pixels below covers the last rows.
struct LinePlace {
    int x;
    int y;
    Rgb colour;
    int firstRow = 0;
    int lastRow = kCell - 1;
};

// The line's text, read cell by cell: a cell is the printable character
// whose glyph it shows exactly (full ink in the colour, empty texels black
// or shadow), '?' when none does. As many cells as fit on the strip are
// read; trailing blanks are dropped.
std::string readLine(const Screenshot& shot, const RgbaImage& atlas, const LinePlace& place);

// Black, or the shadow's grey as the display rounds it: no glyph ink.
bool isDark(Rgb p);

// "" when every pixel of the strip is black, else where the first one
// that is not lies.
std::string checkEmptyStrip(const Screenshot& shot);

// How many pixels of the strip are not black outside the given boxes
// (x, y, width, height each).
struct Box {
    int x, y, width, height;
};
int litOutside(const Screenshot& shot, const std::vector<Box>& boxes);

// The local clock formatted with `format` at each second from `first` to
// `last`: what a line refreshed in between may show.
std::vector<std::string> clockTexts(const char* format, std::time_t first, std::time_t last);
