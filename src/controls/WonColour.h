#pragma once

#include <QColor>

// The colour of a winning entry (的中) once its race has a result, on every
// board, list and table that marks one: gold, under black text.
QColor wonColour();
