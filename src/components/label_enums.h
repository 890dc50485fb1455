// The enumerations of the text label and its mark-up layout.
#pragma once

#include <cstdint>

namespace kelvo {

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };

enum TTextStyle : std::uint8_t {
  tsNone = 0,
  tsRaised = 1,
  tsLightRaised = 2,
  tsRecessed = 3,
  tsHeavyRecessed = 4,
  tsShadow = 5,
};
enum TBorderType : std::uint8_t { btDefault = 0, btRecessed = 1, btRaised = 2 };
enum TLabelStyle : std::uint8_t { lsDefault = 0, lsWWWAddress = 1, lsEMailAddress = 2 };
enum TEllipsesStyle : std::uint8_t { esNone = 0, esEnd = 1, esPath = 2 };
enum TPenStyle : std::uint8_t {
  psSolid,
  psDash,
  psDot,
  psDashDot,
  psDashDotDot,
  psClear,
  psInsideFrame,
  psUserStyle,
  psAlternate,
};

}  // namespace kelvo
