// Band edges and colours of the gradient backdrop.
#include "components/gradient_bands.h"

#include <cstdint>
#include <limits>

namespace kelvo {

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  std::int64_t quotient = product / c;
  const std::int64_t remainder = product % c;
  // Compare twice the remainder with the divisor to round without floating
  // point; the quotient moves away from zero when the fraction is >= 1/2.
  const std::int64_t twice = 2 * (remainder < 0 ? -remainder : remainder);
  const std::int64_t divisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
  if (twice >= divisor) quotient += ((product < 0) != (c < 0)) ? -1 : 1;
  if (quotient > std::numeric_limits<int>::max() || quotient < std::numeric_limits<int>::min()) {
    return -1;
  }
  return static_cast<int>(quotient);
}

std::vector<GradientBand> gradientBands(ColorValue start, ColorValue finish, int width, int count) {
  std::vector<GradientBand> bands;
  if (count <= 0) return bands;
  bands.reserve(static_cast<std::size_t>(count));
  const int dr = redOf(finish) - redOf(start);
  const int dg = greenOf(finish) - greenOf(start);
  const int db = blueOf(finish) - blueOf(start);
  for (int i = 0; i < count; ++i) {
    int r = redOf(start);
    int g = greenOf(start);
    int b = blueOf(start);
    if (count >= 2) {
      r += MulDiv(i, dr, count - 1);
      g += MulDiv(i, dg, count - 1);
      b += MulDiv(i, db, count - 1);
    }
    bands.push_back({MulDiv(i, width, count), MulDiv(i + 1, width, count), rgbColor(r, g, b)});
  }
  return bands;
}

}  // namespace kelvo
