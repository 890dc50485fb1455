// The banded backdrop and raised banner that the confirmation and error
// screens share, differing only in place, colours, caption and size.
#pragma once

#include <QRect>
#include <QString>

#include "components/color_values.h"

class QWidget;

namespace kelvo {

class TNetGradient;
class TmyLabel3D;

// Returns a backdrop at GEOMETRY banding from BEGIN to the button face, with a
// one-blank caption in the bold dialog face at 12, 5.
TNetGradient* makeWarningBackdrop(QWidget* parent, QRect geometry, ColorValue begin);

// Returns a centred, word-wrapped, raised (one pixel) bold banner at GEOMETRY
// showing CAPTION at PIXEL_HEIGHT in COLOR over its red shade, sized to its
// text and centred across GEOMETRY.
TmyLabel3D* makeWarningBanner(QWidget* parent, QRect geometry, const QString& caption,
                              int pixel_height, ColorValue color);

}  // namespace kelvo
