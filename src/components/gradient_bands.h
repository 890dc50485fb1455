// The arithmetic of the banded gradient: band edges and band colours.
#pragma once

#include <vector>

#include "components/color_values.h"

namespace kelvo {

// Returns A * B / C with the product taken in 64 bits and the quotient
// rounded to the nearest integer, halves away from zero (63.5 -> 64,
// -0.5 -> -1); returns -1 when C is 0 or the result does not fit in 32 bits.
int MulDiv(int a, int b, int c);

// One vertical band: x from LEFT (inclusive) to RIGHT (exclusive), one colour.
struct GradientBand {
  int left;
  int right;
  ColorValue color;  // explicit 0x00BBGGRR
};

// Returns the COUNT bands that cover WIDTH pixels, in fill order, running from
// the explicit colour START to the explicit colour FINISH. Bands with no
// area are still listed (left == right) so the colour sequence stays whole.
std::vector<GradientBand> gradientBands(ColorValue start, ColorValue finish, int width, int count);

}  // namespace kelvo
