// Rotation, frames, text passes, drawing flags and ellipses of the label.
#include "components/label3d_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>

namespace kelvo {

namespace {

constexpr std::u16string_view kEllipsis = u"...";

int truncToInt(double value) { return static_cast<int>(std::trunc(value)); }

double radians(int degrees) { return degrees * std::numbers::pi / 180.0; }

}  // namespace

int normalizeEscapement(int escapement) {
  if (escapement < 0) {
    const int r = escapement % 360;
    return r == 0 ? 0 : r + 360;
  }
  if (escapement > 360) {
    const int r = escapement % 360;
    return r == 0 ? 360 : r;
  }
  return escapement;
}

RotatedPlacement rotatedPlacement(int angle, int cx, int cy) {
  const double theta = radians(angle);
  const double s = std::sin(theta);
  const double c = std::cos(theta);
  RotatedPlacement p{0, 0, 0, 0};
  if (angle <= 90) {
    p.dy = truncToInt(s * cx);
  } else if (angle <= 180) {
    p.dx = truncToInt(-c * cx);
    p.dy = truncToInt(s * cx + std::cos(radians(180 - angle)) * cy);
  } else if (angle <= 270) {
    p.dx = truncToInt(-c * cx + std::sin(radians(angle - 180)) * cy);
    p.dy = truncToInt(std::sin(radians(270 - angle)) * cy);
  } else {
    p.dx = truncToInt(std::sin(radians(360 - angle)) * cy);
  }
  p.width = std::abs(truncToInt(c * cx)) + std::abs(truncToInt(s * cy));
  p.height = std::abs(truncToInt(s * cx)) + std::abs(truncToInt(c * cy));
  return p;
}

int alignedOffset(TAlignment alignment, int control_width, int box_width) {
  switch (alignment) {
    case taCenter:
      return (control_width - box_width) / 2;
    case taRightJustify:
      return control_width - box_width;
    case taLeftJustify:
      break;
  }
  return 0;
}

std::vector<FrameBox> frameBoxes(int width, int height, int border_width) {
  // Once a frame has no area the later ones, smaller still, draw nothing:
  // the count stops there, whatever BORDER_WIDTH asks for.
  std::vector<FrameBox> boxes;
  for (std::int64_t k = 1; k <= border_width; ++k) {
    const std::int64_t w = std::int64_t{width} - 2 * k;
    const std::int64_t h = std::int64_t{height} - 2 * k;
    if (w <= 0 || h <= 0) break;
    boxes.push_back({static_cast<int>(w), static_cast<int>(h)});
  }
  return boxes;
}

std::vector<FrameLine> twoColorFrameLines(int right, int bottom) {
  // Each line leaves out its end point, so it stops one pixel short of it.
  const auto toward = [](int from, int to) { return to > from ? to - 1 : to < from ? to + 1 : to; };
  return {
      {0, 0, toward(0, right), 0, true},
      {0, 0, 0, toward(0, bottom), true},
      {right, bottom, right, toward(bottom, 0), false},
      {right, bottom, toward(right, 0), bottom, false},
  };
}

unsigned labelTextFlags(bool word_wrap, TAlignment alignment, bool show_accel_char,
                        TEllipsesStyle ellipses, int escapement, TTextLayout layout) {
  unsigned flags = DT_EXPANDTABS;
  if (word_wrap) flags |= DT_WORDBREAK;
  if (alignment == taRightJustify) flags |= DT_RIGHT;
  if (alignment == taCenter) flags |= DT_CENTER;
  if (!show_accel_char) flags |= DT_NOPREFIX;
  if (ellipses == esEnd) flags |= DT_END_ELLIPSIS;
  if (ellipses == esPath) flags |= DT_PATH_ELLIPSIS;
  if (escapement == 0) {
    if (layout == tlCenter) flags |= DT_VCENTER | DT_SINGLELINE;
    if (layout == tlBottom) flags |= DT_BOTTOM | DT_SINGLELINE;
  }
  return flags;
}

std::vector<TextPass> textPasses(TTextStyle style, int shift, ColorValue border_color,
                                 ColorValue color_recess, ColorValue color_raise,
                                 ColorValue main_color) {
  std::vector<TextPass> passes;
  const auto first = [&](ColorValue color, TShadeMode shade) {
    passes.push_back({shift, shift, color, shade});
  };
  const auto second = [&](ColorValue color, TShadeMode shade) {
    passes.push_back({-shift, -shift, color, shade});
  };
  switch (style) {
    case tsNone:
      break;
    case tsRaised:
      first(border_color, smDarken);
      break;
    case tsLightRaised:
      first(color_recess, smDarken);
      second(color_raise, smLighten);
      break;
    case tsRecessed:
      first(color_raise, smLighten);
      break;
    case tsHeavyRecessed:
      first(color_raise, smLighten);
      second(color_recess, smDarken);
      break;
    case tsShadow:
      first(color_recess, smDarken);
      break;
  }
  passes.push_back({0, 0, main_color, smAsIs});
  return passes;
}

namespace {

// Returns the largest N in [0, LIMIT) for which FITS(N) holds, or nothing
// when FITS(0) fails. FITS must hold for every N below one for which it holds
// (the text only grows with N), which lets the search halve the range.
std::optional<std::size_t> largestFitting(std::size_t limit,
                                          const std::function<bool(std::size_t)>& fits) {
  if (limit == 0 || !fits(0)) return std::nullopt;
  std::size_t good = 0;
  std::size_t bad = limit;  // first value known not to fit (or out of range)
  while (bad - good > 1) {
    const std::size_t mid = good + (bad - good) / 2;
    if (fits(mid)) {
      good = mid;
    } else {
      bad = mid;
    }
  }
  return good;
}

}  // namespace

std::u16string endEllipsis(std::u16string_view text, int max_width, const TextMeasure& measure) {
  if (measure(text) <= max_width) return std::u16string(text);
  const auto candidate = [&](std::size_t keep) {
    std::u16string s(text.substr(0, keep));
    s.append(kEllipsis);
    return s;
  };
  const auto keep = largestFitting(
      text.size(), [&](std::size_t n) { return measure(candidate(n)) <= max_width; });
  return keep ? candidate(*keep) : std::u16string(kEllipsis);
}

std::u16string pathEllipsis(std::u16string_view text, int max_width, const TextMeasure& measure) {
  if (measure(text) <= max_width) return std::u16string(text);
  const std::size_t separator = text.find_last_of(u"\\/");
  if (separator != std::u16string_view::npos) {
    const std::u16string_view head = text.substr(0, separator);
    const std::u16string_view tail = text.substr(separator);
    const auto candidate = [&](std::size_t keep) {
      std::u16string s(head.substr(0, keep));
      s.append(kEllipsis);
      s.append(tail);
      return s;
    };
    // Keeping no head at all ("..." and the last part) is the last try.
    const auto keep = largestFitting(std::max<std::size_t>(head.size(), 1), [&](std::size_t n) {
      return measure(candidate(n)) <= max_width;
    });
    if (keep) return candidate(*keep);
  }
  // No separator, or the last part alone is too wide: keep both ends, the
  // end one character longer when the kept count is odd, and give up
  // characters from the middle.
  const auto candidate = [&](std::size_t kept) {
    const std::size_t front = kept / 2;
    const std::size_t back = kept - front;
    std::u16string s(text.substr(0, front));
    s.append(kEllipsis);
    s.append(text.substr(text.size() - back));
    return s;
  };
  const auto kept = largestFitting(
      text.size(), [&](std::size_t n) { return measure(candidate(n)) <= max_width; });
  return kept ? candidate(*kept) : std::u16string(kEllipsis);
}

}  // namespace kelvo
