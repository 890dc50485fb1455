// Resolving colour values to the QColor that Qt paints with.
#pragma once

#include <QColor>

#include "components/color_values.h"

namespace kelvo {

// Returns the colour VALUE paints in now: explicit colours by their channels,
// system colours through the system colour table (the application palette
// where it has a matching role, a fixed classic value otherwise).
QColor toQColor(ColorValue value);

// Returns VALUE resolved to an explicit 0x00BBGGRR colour.
ColorValue resolveColor(ColorValue value);

// Returns the explicit colour value of COLOR (its alpha is dropped).
ColorValue fromQColor(const QColor& color);

}  // namespace kelvo
