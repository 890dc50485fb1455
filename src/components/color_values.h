// Colour values shared by the screens and their components: 0x00BBGGRR for an
// explicit colour, 0xFF000000 plus an index for a colour of the system's table.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kelvo {

using ColorValue = std::uint32_t;

// The high byte that marks a system colour; the low byte is its index.
inline constexpr ColorValue kSystemColorFlag = 0xFF000000u;

// Explicit colours.
inline constexpr ColorValue clBlack = 0x000000;
inline constexpr ColorValue clMaroon = 0x000080;
inline constexpr ColorValue clGreen = 0x008000;
inline constexpr ColorValue clOlive = 0x008080;
inline constexpr ColorValue clNavy = 0x800000;
inline constexpr ColorValue clPurple = 0x800080;
inline constexpr ColorValue clTeal = 0x808000;
inline constexpr ColorValue clGray = 0x808080;
inline constexpr ColorValue clSilver = 0xC0C0C0;
inline constexpr ColorValue clRed = 0x0000FF;
inline constexpr ColorValue clLime = 0x00FF00;
inline constexpr ColorValue clYellow = 0x00FFFF;
inline constexpr ColorValue clBlue = 0xFF0000;
inline constexpr ColorValue clFuchsia = 0xFF00FF;
inline constexpr ColorValue clAqua = 0xFFFF00;
inline constexpr ColorValue clWhite = 0xFFFFFF;
inline constexpr ColorValue clMoneyGreen = 0xC0DCC0;
inline constexpr ColorValue clSkyBlue = 0xF0CAA6;
inline constexpr ColorValue clCream = 0xF0FBFF;
inline constexpr ColorValue clMedGray = 0xA4A0A0;

// System colours.
inline constexpr ColorValue clScrollBar = kSystemColorFlag | 0;
inline constexpr ColorValue clBackground = kSystemColorFlag | 1;
inline constexpr ColorValue clActiveCaption = kSystemColorFlag | 2;
inline constexpr ColorValue clInactiveCaption = kSystemColorFlag | 3;
inline constexpr ColorValue clMenu = kSystemColorFlag | 4;
inline constexpr ColorValue clWindow = kSystemColorFlag | 5;
inline constexpr ColorValue clWindowFrame = kSystemColorFlag | 6;
inline constexpr ColorValue clMenuText = kSystemColorFlag | 7;
inline constexpr ColorValue clWindowText = kSystemColorFlag | 8;
inline constexpr ColorValue clCaptionText = kSystemColorFlag | 9;
inline constexpr ColorValue clActiveBorder = kSystemColorFlag | 10;
inline constexpr ColorValue clInactiveBorder = kSystemColorFlag | 11;
inline constexpr ColorValue clAppWorkSpace = kSystemColorFlag | 12;
inline constexpr ColorValue clHighlight = kSystemColorFlag | 13;
inline constexpr ColorValue clHighlightText = kSystemColorFlag | 14;
inline constexpr ColorValue clBtnFace = kSystemColorFlag | 15;
inline constexpr ColorValue clBtnShadow = kSystemColorFlag | 16;
inline constexpr ColorValue clGrayText = kSystemColorFlag | 17;
inline constexpr ColorValue clBtnText = kSystemColorFlag | 18;
inline constexpr ColorValue clInactiveCaptionText = kSystemColorFlag | 19;
inline constexpr ColorValue clBtnHighlight = kSystemColorFlag | 20;
inline constexpr ColorValue cl3DDkShadow = kSystemColorFlag | 21;
inline constexpr ColorValue cl3DLight = kSystemColorFlag | 22;
inline constexpr ColorValue clInfoText = kSystemColorFlag | 23;
inline constexpr ColorValue clInfoBk = kSystemColorFlag | 24;
inline constexpr ColorValue clHotLight = kSystemColorFlag | 26;
inline constexpr ColorValue clGradientActiveCaption = kSystemColorFlag | 27;
inline constexpr ColorValue clGradientInactiveCaption = kSystemColorFlag | 28;
inline constexpr ColorValue clMenuHighlight = kSystemColorFlag | 29;
inline constexpr ColorValue clMenuBar = kSystemColorFlag | 30;

// Special values: "no colour" and "the control's default colour".
inline constexpr ColorValue clNone = 0x1FFFFFFF;
inline constexpr ColorValue clDefault = 0x20000000;

// Returns true when VALUE names an entry of the system colour table.
constexpr bool isSystemColor(ColorValue value) {
  return (value & kSystemColorFlag) == kSystemColorFlag;
}

// Returns the system colour table index of VALUE (meaningful for system colours).
constexpr int systemColorIndex(ColorValue value) { return static_cast<int>(value & 0xFF); }

// Returns the explicit colour made of the three channels (each 0..255).
constexpr ColorValue rgbColor(int red, int green, int blue) {
  return static_cast<ColorValue>(red) | (static_cast<ColorValue>(green) << 8) |
         (static_cast<ColorValue>(blue) << 16);
}

constexpr int redOf(ColorValue value) { return static_cast<int>(value & 0xFF); }
constexpr int greenOf(ColorValue value) { return static_cast<int>((value >> 8) & 0xFF); }
constexpr int blueOf(ColorValue value) { return static_cast<int>((value >> 16) & 0xFF); }

// Returns the value of the colour identifier NAME ("clRed", compared without
// regard to case), or nothing when NAME is not one of the standard identifiers.
std::optional<ColorValue> colorFromIdent(std::u16string_view name);

}  // namespace kelvo
