// The Qt-free half of the inline mark-up: line splitting, tag scanning,
// colour names and the shading of tag colours for the label's effect passes.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "components/color_values.h"

namespace kelvo {

// How a text pass shades the colours chosen inside mark-up.
enum TShadeMode : std::uint8_t { smLighten, smAsIs, smDarken };

// Returns C with each channel scaled to PERCENT per cent, rounded half to even.
ColorValue DarkenColor(ColorValue c, std::uint8_t percent);

// Returns C with each channel scaled to PERCENT per cent, plus the part of
// white that PERCENT leaves out (both rounded half to even), at most 255.
ColorValue LightenColor(ColorValue c, std::uint8_t percent);

// Returns C as a pass with SHADE draws it (the mark-up always shades by 10 %).
ColorValue shadeColor(ColorValue c, TShadeMode shade);

// Returns the lines of TEXT, split at CR LF, lone CR and lone LF. A break at
// the very end starts no further line; an empty text has no lines.
std::vector<std::u16string_view> splitMarkupLines(std::u16string_view text);

// Returns the colour a colour tag's NAME stands for: "$" and one to eight
// hexadecimal digits, or an identifier spelt without its "cl" ("red");
// nothing when NAME is neither.
std::optional<ColorValue> markupColor(std::u16string_view name);

// One step of a scanned line: a run of text to draw, or a change of style.
struct MarkupToken {
  enum Kind : std::uint8_t {
    kRun,
    kBoldOn,
    kBoldOff,
    kItalicOn,
    kItalicOff,
    kUnderlineOn,
    kUnderlineOff,
    kBaseColor,  // back to the colour the call started with
    kColor,      // COLOR, not yet shaded
  };
  Kind kind;
  std::u16string_view text;  // kRun only; never empty
  ColorValue color = 0;      // kColor only
};

// Returns LINE as runs and tags, in order. Text after "<" that is not a tag
// stays text; a colour tag whose name does not convert changes nothing but
// still ends the run before it, as every tag does.
std::vector<MarkupToken> scanMarkupLine(std::u16string_view line);

}  // namespace kelvo
