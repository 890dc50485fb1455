// Drawing and measuring a label's plain caption by text-drawing flags (DT_*)
// with Qt's text layout: wrapping, alignment, accelerator prefix, ellipses,
// tab expansion and single-line vertical placement.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

namespace kelvo {

// Draws TEXT into RECT in the canvas font and pen by FLAGS, clipped to RECT.
void drawFlaggedText(QPainter& canvas, const QRect& rect, const QString& text, unsigned flags);

// Returns the size TEXT takes in FONT by FLAGS, wrapped within WIDTH when
// FLAGS ask for word breaks.
QSize measureFlaggedText(const QFont& font, int width, const QString& text, unsigned flags);

}  // namespace kelvo
