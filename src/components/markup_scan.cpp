// Line splitting, tag scanning, colour names and shading of the mark-up.
#include "components/markup_scan.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/ascii.h"
#include "platform/text_lines.h"

namespace kelvo {

namespace {

// Returns NUMERATOR / 100 rounded to the nearest integer, halves to even.
int roundPercentHalfEven(int numerator) {
  int quotient = numerator / 100;
  int remainder = numerator % 100;
  if (remainder < 0) {
    remainder += 100;
    quotient -= 1;
  }
  if (remainder > 50 || (remainder == 50 && (quotient % 2) != 0)) ++quotient;
  return quotient;
}

// Percentages above 100 would push a channel past 255 and spill into its
// neighbour; each channel is held to one byte instead.
int clampChannel(int value) { return std::clamp(value, 0, 255); }

std::optional<ColorValue> hexColor(std::u16string_view digits) {
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  ColorValue value = 0;
  for (const char16_t c : digits) {
    int digit;
    if (c >= u'0' && c <= u'9') {
      digit = c - u'0';
    } else if (c >= u'a' && c <= u'f') {
      digit = c - u'a' + 10;
    } else if (c >= u'A' && c <= u'F') {
      digit = c - u'A' + 10;
    } else {
      return std::nullopt;
    }
    value = (value << 4) | static_cast<ColorValue>(digit);
  }
  return value;
}

struct SimpleTag {
  std::u16string_view text;  // after the "<"
  MarkupToken::Kind kind;
};

// Tested in this order; "c:" is handled apart because its length varies.
constexpr std::array<SimpleTag, 7> kSimpleTags = {{
    {u"b>", MarkupToken::kBoldOn},
    {u"/b>", MarkupToken::kBoldOff},
    {u"i>", MarkupToken::kItalicOn},
    {u"/i>", MarkupToken::kItalicOff},
    {u"u>", MarkupToken::kUnderlineOn},
    {u"/u>", MarkupToken::kUnderlineOff},
    {u"/c>", MarkupToken::kBaseColor},
}};

}  // namespace

ColorValue DarkenColor(ColorValue c, std::uint8_t percent) {
  const auto scale = [percent](int channel) {
    return clampChannel(roundPercentHalfEven(channel * percent));
  };
  return rgbColor(scale(redOf(c)), scale(greenOf(c)), scale(blueOf(c)));
}

ColorValue LightenColor(ColorValue c, std::uint8_t percent) {
  const int white_part = roundPercentHalfEven(25500 - 255 * percent);
  const auto scale = [percent, white_part](int channel) {
    return clampChannel(roundPercentHalfEven(channel * percent) + white_part);
  };
  return rgbColor(scale(redOf(c)), scale(greenOf(c)), scale(blueOf(c)));
}

ColorValue shadeColor(ColorValue c, TShadeMode shade) {
  switch (shade) {
    case smDarken:
      return DarkenColor(c, 10);
    case smLighten:
      return LightenColor(c, 10);
    case smAsIs:
      break;
  }
  return c;
}

std::vector<std::u16string_view> splitMarkupLines(std::u16string_view text) {
  return splitLines(text);
}

std::optional<ColorValue> markupColor(std::u16string_view name) {
  if (name.empty()) return std::nullopt;
  if (name.front() == u'$') return hexColor(name.substr(1));
  std::u16string ident = u"cl";
  ident.append(name);
  return colorFromIdent(ident);
}

std::vector<MarkupToken> scanMarkupLine(std::u16string_view line) {
  std::vector<MarkupToken> tokens;
  std::size_t run_start = 0;
  const auto flush = [&](std::size_t end) {
    if (end > run_start) {
      tokens.push_back({MarkupToken::kRun, line.substr(run_start, end - run_start)});
    }
  };
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] != u'<') {
      ++i;
      continue;
    }
    const std::u16string_view rest = line.substr(i + 1);
    const auto simple = std::find_if(kSimpleTags.begin(), kSimpleTags.end(), [&](const auto& tag) {
      return startsWithNoCase(rest, tag.text);
    });
    if (simple != kSimpleTags.end()) {
      flush(i);
      tokens.push_back({simple->kind, {}});
      i += 1 + simple->text.size();
      run_start = i;
    } else if (startsWithNoCase(rest, u"c:")) {
      flush(i);
      // The name runs to the next ">", or to the end of the line when no
      // ">" follows: an unclosed colour tag takes the rest of the line.
      const std::u16string_view after = rest.substr(2);
      const std::size_t close = after.find(u'>');
      const std::u16string_view name = after.substr(0, close);
      if (const auto color = markupColor(name)) {
        tokens.push_back({MarkupToken::kColor, {}, *color});
      }
      i = close == std::u16string_view::npos ? line.size() : i + 3 + close + 1;
      run_start = i;
    } else {
      ++i;
    }
  }
  flush(line.size());
  return tokens;
}

}  // namespace kelvo
