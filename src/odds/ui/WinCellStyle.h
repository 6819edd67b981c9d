#pragma once

#include "controls/WonColour.h"

#include <QColor>
#include <optional>

// How the win grid paints one data cell, by column: the background, and the
// font colour, size and weight laid over the grid's own font. The painting of
// StringGrid1 and the tests both take the look from here.
struct WinCellStyle {
    QColor background;
    std::optional<QColor> textColor;  // empty: the grid's text colour
    std::optional<int> pointSize;     // empty: the grid's font size
    bool bold = false;
};

// Bracket colours 1..8 (white, black, red, blue, yellow, green, orange,
// magenta), as JRA colours them; white for anything else.
QColor bracketColor(int bracket);
// The text on a bracket colour: light on the dark ones, as on JRA's boards.
QColor bracketTextColor(int bracket);

// Style of data cell `column` (0..10) of a runner in `bracket`. A runner who
// `won` has its number and figure cells in wonColour(); its bracket and the
// input columns keep theirs.
WinCellStyle winCellStyle(int column, int bracket, bool won = false);

// Left and top offsets of a cell's text from the cell's corner, for a grid
// line width of one pixel.
int winCellTextLeft(int column);
int winCellTextTop(int column);
