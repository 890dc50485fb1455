// The Qt-free arithmetic of the raised-text label: rotation, frames, text
// passes, the text-drawing flags and the ellipses.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "components/color_values.h"
#include "components/label_enums.h"
#include "components/markup_scan.h"

namespace kelvo {

// Text-drawing flags, with the values the system's text drawing call uses.
inline constexpr unsigned DT_LEFT = 0x0;
inline constexpr unsigned DT_CENTER = 0x1;
inline constexpr unsigned DT_RIGHT = 0x2;
inline constexpr unsigned DT_VCENTER = 0x4;
inline constexpr unsigned DT_BOTTOM = 0x8;
inline constexpr unsigned DT_WORDBREAK = 0x10;
inline constexpr unsigned DT_SINGLELINE = 0x20;
inline constexpr unsigned DT_EXPANDTABS = 0x40;
inline constexpr unsigned DT_NOPREFIX = 0x800;
inline constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
inline constexpr unsigned DT_END_ELLIPSIS = 0x8000;

// Returns ESCAPEMENT held in range: a negative angle is brought into 0..359
// and an angle above 360 into 1..360, both by whole turns.
int normalizeEscapement(int escapement);

// Where rotated text goes: the offset of its text cell from the pass
// rectangle's top-left, and the size of its bounding box.
struct RotatedPlacement {
  int dx;
  int dy;
  int width;
  int height;
};

// Returns the placement of a one-line caption CX x CY pixels turned ANGLE
// degrees counter-clockwise (1..360), so that its bounding box sits at the
// rectangle's top-left corner.
RotatedPlacement rotatedPlacement(int angle, int cx, int cy);

// Returns the left offset that ALIGNMENT gives a box BOX_WIDTH wide inside
// CONTROL_WIDTH (halves truncated toward zero).
int alignedOffset(TAlignment alignment, int control_width, int box_width);

// The size of one frame; every frame starts at the control's top-left.
struct FrameBox {
  int width;
  int height;
};

// Returns the BORDER_WIDTH frames of a WIDTH x HEIGHT control, outermost
// first, each 2 pixels narrower and shorter than the one before, up to the
// last one that still has an area.
std::vector<FrameBox> frameBoxes(int width, int height, int border_width);

// A line of a two-colour frame, both end points drawn.
struct FrameLine {
  int x1, y1, x2, y2;
  bool first_color;
};

// Returns the four lines of the two-colour frame on the box (0, 0)-(R, B):
// top and left in the first colour, right and bottom in the second, each
// without the end point the drawing call leaves out.
std::vector<FrameLine> twoColorFrameLines(int right, int bottom);

// Returns the text-drawing flags of the label's properties.
unsigned labelTextFlags(bool word_wrap, TAlignment alignment, bool show_accel_char,
                        TEllipsesStyle ellipses, int escapement, TTextLayout layout);

// One drawing of the caption: moved by (DX, DY), in COLOR, shading mark-up.
struct TextPass {
  int dx;
  int dy;
  ColorValue color;
  TShadeMode shade;
};

// Returns the passes of STYLE in drawing order, the main pass last.
std::vector<TextPass> textPasses(TTextStyle style, int shift, ColorValue border_color,
                                 ColorValue color_recess, ColorValue color_raise,
                                 ColorValue main_color);

// Measures a text's width in pixels.
using TextMeasure = std::function<int(std::u16string_view)>;

// The ellipses search the kept length by halving, so a long text costs a
// few dozen measurements rather than one per character.

// Returns TEXT, or as much of its start as fits in MAX_WIDTH followed by "...".
std::u16string endEllipsis(std::u16string_view text, int max_width, const TextMeasure& measure);

// Returns TEXT, or TEXT with its middle replaced by "..." so that it fits in
// MAX_WIDTH; when TEXT holds a path separator, the part after the last one is
// kept whole as long as "..." and that part fit.
std::u16string pathEllipsis(std::u16string_view text, int max_width, const TextMeasure& measure);

}  // namespace kelvo
