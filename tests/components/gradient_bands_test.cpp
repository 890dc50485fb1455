// MulDiv rounding and the edges and colours of the gradient's bands.
#include "components/gradient_bands.h"

#include <gtest/gtest.h>

#include <climits>

namespace kelvo {
namespace {

TEST(MulDiv, RoundsHalvesAwayFromZeroWithA64BitProduct) {
  struct Case {
    int a, b, c, expected;
  };
  const Case cases[] = {
      {1, 127, 2, 64},                   // 63.5
      {-1, 1, 2, -1},                    // -0.5
      {1, -127, 2, -64},                 // -63.5
      {1, 125, -2, -63},                 // -62.5 with a negative divisor
      {1, 5, 3, 2},                      // 1.67
      {1, 4, 3, 1},                      // 1.33
      {100000, 100000, 100000, 100000},  // the product needs 64 bits
      {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
      {INT_MAX, 2, 1, -1},  // result does not fit
      {5, 5, 0, -1},        // no divisor
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
  }
}

struct Span {
  int left, right;
  ColorValue color;
};

void expectBands(const std::vector<GradientBand>& bands, const std::vector<Span>& expected) {
  ASSERT_EQ(bands.size(), expected.size());
  for (std::size_t i = 0; i < bands.size(); ++i) {
    EXPECT_EQ(bands[i].left, expected[i].left) << "band " << i;
    EXPECT_EQ(bands[i].right, expected[i].right) << "band " << i;
    EXPECT_EQ(bands[i].color, expected[i].color) << "band " << i;
  }
}

TEST(GradientBands, ThreeBandsRoundTheMiddleColourAwayFromZeroInBothDirections) {
  expectBands(gradientBands(clGray, clWhite, 10, 3),
              {{0, 3, 0x808080}, {3, 7, 0xC0C0C0}, {7, 10, 0xFFFFFF}});
  expectBands(gradientBands(clWhite, clGray, 10, 3),
              {{0, 3, 0xFFFFFF}, {3, 7, 0xBFBFBF}, {7, 10, 0x808080}});
}

TEST(GradientBands, BackdropWidthWith255BandsCoversEveryPixelOnce) {
  const auto bands = gradientBands(0x0065CA, 0xF0F0F0, 906, 255);
  ASSERT_EQ(bands.size(), 255u);
  EXPECT_EQ(bands[0].left, 0);
  EXPECT_EQ(bands[0].right, 4);
  EXPECT_EQ(bands[1].left, 4);
  EXPECT_EQ(bands[1].right, 7);
  EXPECT_EQ(bands[254].left, 902);
  EXPECT_EQ(bands[254].right, 906);
  for (std::size_t i = 1; i < bands.size(); ++i) EXPECT_EQ(bands[i].left, bands[i - 1].right);

  EXPECT_EQ(bands[0].color, 0x0065CAu);
  EXPECT_EQ(bands[1].color, 0x0166CAu);
  EXPECT_EQ(bands[127].color, 0x78ABDDu);
  EXPECT_EQ(bands[254].color, 0xF0F0F0u);
}

TEST(GradientBands, OneOrTwoBandsAndEqualEndsFillWithoutSteps) {
  expectBands(gradientBands(0x123456, 0xABCDEF, 50, 1), {{0, 50, 0x123456}});
  expectBands(gradientBands(0x000000, 0xFFFFFF, 101, 2), {{0, 51, 0x000000}, {51, 101, 0xFFFFFF}});
  for (const auto& band : gradientBands(0x336699, 0x336699, 40, 7)) {
    EXPECT_EQ(band.color, 0x336699u);
  }
}

TEST(GradientBands, MoreBandsThanPixelsLeavesEmptyBandsButReachesTheFinishColour) {
  const auto bands = gradientBands(0x000000, 0x0000FF, 3, 10);
  int painted = 0;
  for (const auto& b : bands) painted += b.right - b.left;
  EXPECT_EQ(painted, 3);
  EXPECT_EQ(bands.back().color, 0x0000FFu);
  EXPECT_EQ(bands.back().right, 3);
}

}  // namespace
}  // namespace kelvo
