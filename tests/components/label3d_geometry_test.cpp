// Rotation, frames, drawing flags, text passes and ellipses of the label.
#include "components/label3d_geometry.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>

namespace kelvo {
namespace {

TEST(Escapement, IsHeldWithinWholeTurns) {
  const struct {
    int written, held;
  } cases[] = {{0, 0},      {45, 45},  {360, 360}, {-90, 270}, {-360, 0},
               {-370, 350}, {370, 10}, {720, 360}, {721, 1},   {-720, 0}};
  for (const auto& c : cases) EXPECT_EQ(normalizeEscapement(c.written), c.held) << c.written;
}

TEST(RotatedPlacement, PutsTheBoundingBoxAtTheTopLeftInEveryQuadrant) {
  const struct {
    int angle;
    RotatedPlacement expected;
  } cases[] = {
      {90, {0, 100, 20, 100}}, {45, {0, 70, 84, 84}},  {180, {100, 20, 100, 20}},
      {270, {20, 0, 20, 100}}, {360, {0, 0, 100, 20}}, {135, {70, 84, 84, 84}},
      {225, {84, 14, 84, 84}}, {315, {14, 0, 84, 84}},
  };
  for (const auto& c : cases) {
    const auto p = rotatedPlacement(c.angle, 100, 20);
    EXPECT_EQ(p.dx, c.expected.dx) << c.angle;
    EXPECT_EQ(p.dy, c.expected.dy) << c.angle;
    EXPECT_EQ(p.width, c.expected.width) << c.angle;
    EXPECT_EQ(p.height, c.expected.height) << c.angle;
  }
  EXPECT_EQ(alignedOffset(taCenter, 101, 20), 40);
  EXPECT_EQ(alignedOffset(taCenter, 10, 21), -5);  // truncated toward zero
  EXPECT_EQ(alignedOffset(taRightJustify, 101, 20), 81);
  EXPECT_EQ(alignedOffset(taLeftJustify, 101, 20), 0);
}

TEST(Frames, ShrinkByTwoPixelsPerFrameFromTheTopLeftCorner) {
  const auto boxes = frameBoxes(100, 40, 3);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].width, 98);
  EXPECT_EQ(boxes[0].height, 38);
  EXPECT_EQ(boxes[2].width, 94);
  EXPECT_EQ(boxes[2].height, 34);
  EXPECT_TRUE(frameBoxes(100, 40, 0).empty());

  // However many frames are asked for, they stop at the last one with an area.
  const auto many = frameBoxes(100, 40, std::numeric_limits<int>::max());
  ASSERT_EQ(many.size(), 19u);
  EXPECT_EQ(many.back().width, 62);
  EXPECT_EQ(many.back().height, 2);
  EXPECT_EQ(frameBoxes(5, 5, 1000).size(), 2u);
  EXPECT_TRUE(frameBoxes(2, 100, 1000).empty());
  EXPECT_TRUE(frameBoxes(0, 0, std::numeric_limits<int>::max()).empty());

  const auto lines = twoColorFrameLines(9, 5);
  ASSERT_EQ(lines.size(), 4u);
  const FrameLine expected[] = {
      {0, 0, 8, 0, true}, {0, 0, 0, 4, true}, {9, 5, 9, 1, false}, {9, 5, 1, 5, false}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(lines[i].x1, expected[i].x1);
    EXPECT_EQ(lines[i].y1, expected[i].y1);
    EXPECT_EQ(lines[i].x2, expected[i].x2) << i;
    EXPECT_EQ(lines[i].y2, expected[i].y2) << i;
    EXPECT_EQ(lines[i].first_color, expected[i].first_color);
  }
}

TEST(LabelTextFlags, FollowTheLabelProperties) {
  EXPECT_EQ(labelTextFlags(false, taLeftJustify, true, esNone, 0, tlTop), DT_EXPANDTABS);
  // The screens' banners.
  EXPECT_EQ(labelTextFlags(true, taCenter, true, esNone, 0, tlTop),
            DT_EXPANDTABS | DT_WORDBREAK | DT_CENTER);
  EXPECT_EQ(labelTextFlags(true, taRightJustify, false, esEnd, 0, tlCenter),
            DT_EXPANDTABS | DT_WORDBREAK | DT_RIGHT | DT_NOPREFIX | DT_END_ELLIPSIS | DT_VCENTER |
                DT_SINGLELINE);
  EXPECT_EQ(labelTextFlags(false, taLeftJustify, true, esPath, 0, tlBottom),
            DT_EXPANDTABS | DT_PATH_ELLIPSIS | DT_BOTTOM | DT_SINGLELINE);
  // Rotated captions take no vertical layout.
  EXPECT_EQ(labelTextFlags(false, taLeftJustify, true, esNone, 90, tlBottom), DT_EXPANDTABS);
}

TEST(TextPasses, DrawEffectCopiesBeforeTheMainText) {
  const ColorValue border = clRed, recess = 0x111111, raise = 0x222222, main = clWhite;
  const auto passes = [&](TTextStyle style, int shift) {
    std::string out;
    for (const auto& p : textPasses(style, shift, border, recess, raise, main)) {
      out += "(" + std::to_string(p.dx) + "," + std::to_string(p.dy) + "," +
             std::to_string(p.color) + "," + std::to_string(p.shade) + ")";
    }
    return out;
  };
  EXPECT_EQ(passes(tsNone, 1), "(0,0,16777215,1)");
  EXPECT_EQ(passes(tsRaised, 1), "(1,1,255,2)(0,0,16777215,1)");
  EXPECT_EQ(passes(tsLightRaised, 2), "(2,2,1118481,2)(-2,-2,2236962,0)(0,0,16777215,1)");
  EXPECT_EQ(passes(tsRecessed, 1), "(1,1,2236962,0)(0,0,16777215,1)");
  EXPECT_EQ(passes(tsHeavyRecessed, -1), "(-1,-1,2236962,0)(1,1,1118481,2)(0,0,16777215,1)");
  EXPECT_EQ(passes(tsShadow, 0), "(0,0,1118481,2)(0,0,16777215,1)");
}

// One pixel per character keeps the expected results readable.
int charWidth(std::u16string_view text) { return static_cast<int>(text.size()); }

std::string narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

TEST(Ellipses, KeepWhatFitsAndMarkWhatWasLeftOut) {
  EXPECT_EQ(narrow(endEllipsis(u"short", 5, charWidth)), "short");
  EXPECT_EQ(narrow(endEllipsis(u"longer text", 8, charWidth)), "longe...");
  EXPECT_EQ(narrow(endEllipsis(u"abc", 2, charWidth)), "...");

  EXPECT_EQ(narrow(pathEllipsis(u"C:\\a\\b\\file.txt", 15, charWidth)), "C:\\a\\b\\file.txt");
  EXPECT_EQ(narrow(pathEllipsis(u"C:\\Program Files\\app\\file.txt", 15, charWidth)),
            "C:\\...\\file.txt");
  EXPECT_EQ(narrow(pathEllipsis(u"/usr/share/doc/readme", 13, charWidth)), "/us.../readme");
  // The last part alone is too wide: both ends are kept.
  EXPECT_EQ(narrow(pathEllipsis(u"C:\\averyveryverylongname", 11, charWidth)), "C:\\a...name");
  EXPECT_EQ(narrow(pathEllipsis(u"abcdefghij", 7, charWidth)), "ab...ij");
}

// The ellipses as a one-character-at-a-time search finds them: the shortest
// candidate last, so the first that fits is the longest.
std::u16string endByScan(std::u16string_view text, int max_width, const TextMeasure& measure) {
  if (measure(text) <= max_width) return std::u16string(text);
  for (std::size_t keep = text.size(); keep-- > 0;) {
    std::u16string c = std::u16string(text.substr(0, keep)) + u"...";
    if (measure(c) <= max_width) return c;
  }
  return u"...";
}

std::u16string middleByScan(std::u16string_view text, int max_width, const TextMeasure& measure) {
  if (measure(text) <= max_width) return std::u16string(text);
  std::size_t front = (text.size() + 1) / 2;
  std::size_t back = text.size() / 2;
  while (front + back > 0) {
    front >= back ? --front : --back;
    std::u16string c = std::u16string(text.substr(0, front)) + u"..." +
                       std::u16string(text.substr(text.size() - back));
    if (measure(c) <= max_width) return c;
  }
  return u"...";
}

TEST(Ellipses, FindTheSameLengthAsACharacterByCharacterSearch) {
  // Characters of different widths, as in a proportional face.
  const TextMeasure proportional = [](std::u16string_view text) {
    int w = 0;
    for (char16_t c : text) w += c == u'.' ? 2 : 3 + c % 5;
    return w;
  };
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::u16string text(random() % 40, u'a');
    for (char16_t& c : text) c = static_cast<char16_t>(u'a' + random() % 26);
    const int width = static_cast<int>(random() % 150);
    EXPECT_EQ(endEllipsis(text, width, proportional), endByScan(text, width, proportional));
    EXPECT_EQ(pathEllipsis(text, width, proportional), middleByScan(text, width, proportional));
  }
}

TEST(Ellipses, ALongTextTakesAFewMeasurementsNotOnePerCharacter) {
  int measurements = 0;
  const TextMeasure counted = [&](std::u16string_view text) {
    ++measurements;
    return static_cast<int>(text.size());
  };
  const std::u16string long_text(16000, u'a');
  EXPECT_EQ(endEllipsis(long_text, 1000, counted), std::u16string(997, u'a') + u"...");
  EXPECT_LT(measurements, 40);

  measurements = 0;
  const std::u16string path = u"C:\\" + long_text + u"\\file.txt";
  EXPECT_EQ(pathEllipsis(path, 100, counted),
            u"C:\\" + std::u16string(85, u'a') + u"...\\file.txt");
  EXPECT_LT(measurements, 40);

  measurements = 0;
  EXPECT_EQ(pathEllipsis(long_text, 101, counted),
            std::u16string(49, u'a') + u"..." + std::u16string(49, u'a'));
  EXPECT_LT(measurements, 80);
}

}  // namespace
}  // namespace kelvo
