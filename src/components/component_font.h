// The font a component draws with: a typeface plus its colour value.
#pragma once

#include <QFont>

#include "components/color_values.h"

namespace kelvo {

// A font object as the components own it: face, size and style in FACE, the
// colour as a colour value so that system colours resolve at paint time.
struct ComponentFont {
  QFont face;
  ColorValue color = clWindowText;

  bool operator==(const ComponentFont&) const = default;
};

}  // namespace kelvo
