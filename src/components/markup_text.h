// Drawing and measuring text with inline mark-up: <b>, <i>, <u>, <c:NAME>
// and their closing tags, one line per line of text.
#pragma once

#include <QRect>
#include <QString>

#include "components/color_values.h"
#include "components/label_enums.h"
#include "components/markup_scan.h"

class QPainter;

namespace kelvo {

// Draws TEXT into RECT, one line per line of text, each aligned on its own by
// its measured width. The canvas font (and pen colour, equal to BASE_COLOR)
// is as the caller set it; its style and colour are the same on return.
void DrawColoredText(QPainter& canvas, const QRect& rect, const QString& text, TAlignment alignment,
                     ColorValue base_color, TShadeMode shade);

// Lays LINE out from RECT's left edge (plus a 2-pixel margin) and top edge,
// draws it unless MEASURE_ONLY, and returns its width: the sum of its runs
// plus 4. Tags change the canvas font only until the call returns.
int DrawMarkupLine(QPainter& canvas, const QRect& rect, const QString& line, ColorValue base_color,
                   TShadeMode shade, bool measure_only);

}  // namespace kelvo
