// Shading, line splitting, colour names and tag scanning of the mark-up.
#include "components/markup_scan.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvo {
namespace {

TEST(Shading, RoundsHalvesToEvenAndKeepsChannelsInTheirByte) {
  EXPECT_EQ(DarkenColor(0xFFFFFF, 10), 0x1A1A1Au);
  EXPECT_EQ(DarkenColor(rgbColor(25, 35, 15), 10), rgbColor(2, 4, 2));
  EXPECT_EQ(DarkenColor(clBtnFace, 10), 0x000002u);  // system colours are not resolved
  EXPECT_EQ(DarkenColor(clRed, 10), 0x00001Au);
  EXPECT_EQ(LightenColor(0x000000, 10), 0xE6E6E6u);
  EXPECT_EQ(LightenColor(0xFFFFFF, 10), 0xFFFFFFu);
  EXPECT_EQ(LightenColor(clRed, 10), 0xE6E6FFu);
  EXPECT_EQ(LightenColor(0x123456, 100), 0x123456u);
  EXPECT_EQ(DarkenColor(0x123456, 0), 0x000000u);
  // Past 100 % a channel would overflow into its neighbour.
  EXPECT_EQ(DarkenColor(0x80FF10, 200), 0xFFFF20u);
  EXPECT_EQ(LightenColor(0x00FF10, 255), 0x00FF00u);
}

TEST(SplitMarkupLines, BreaksAtEveryKindOfLineEnd) {
  using Lines = std::vector<std::u16string>;
  const auto split = [](std::u16string_view text) {
    Lines out;
    for (auto line : splitMarkupLines(text)) out.emplace_back(line);
    return out;
  };
  EXPECT_EQ(split(u""), Lines{});
  EXPECT_EQ(split(u"A"), (Lines{u"A"}));
  EXPECT_EQ(split(u"A\r\n\r\nB"), (Lines{u"A", u"", u"B"}));
  EXPECT_EQ(split(u"A\rB\nC"), (Lines{u"A", u"B", u"C"}));
  EXPECT_EQ(split(u"A\n\rB"), (Lines{u"A", u"", u"B"}));
  EXPECT_EQ(split(u"A\r\n"), (Lines{u"A"}));
  EXPECT_EQ(split(u"\n"), (Lines{u""}));
}

TEST(MarkupColor, AcceptsHexValuesAndIdentifiersWithoutTheirPrefix) {
  EXPECT_EQ(markupColor(u"$00FF00"), 0x00FF00u);
  EXPECT_EQ(markupColor(u"$ff"), 0xFFu);
  EXPECT_EQ(markupColor(u"$FFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(markupColor(u"Red"), clRed);
  EXPECT_EQ(markupColor(u"BTNFACE"), clBtnFace);
  EXPECT_EQ(markupColor(u"3ddkshadow"), cl3DDkShadow);
  EXPECT_EQ(markupColor(u"none"), clNone);
  for (std::u16string_view bad :
       {u"", u"$", u"$123456789", u"$12G", u"Crimson", u"clRed", u" red"}) {
    EXPECT_FALSE(markupColor(bad).has_value()) << std::string(bad.begin(), bad.end());
  }
}

// Renders the tokens as text so that whole lines compare at once.
std::string describe(std::u16string_view line) {
  std::string out;
  for (const auto& t : scanMarkupLine(line)) {
    switch (t.kind) {
      case MarkupToken::kRun:
        out += "[" + std::string(t.text.begin(), t.text.end()) + "]";
        break;
      case MarkupToken::kBoldOn:
        out += "B";
        break;
      case MarkupToken::kBoldOff:
        out += "b";
        break;
      case MarkupToken::kItalicOn:
        out += "I";
        break;
      case MarkupToken::kItalicOff:
        out += "i";
        break;
      case MarkupToken::kUnderlineOn:
        out += "U";
        break;
      case MarkupToken::kUnderlineOff:
        out += "u";
        break;
      case MarkupToken::kBaseColor:
        out += "c";
        break;
      case MarkupToken::kColor:
        out += "C" + std::to_string(t.color);
        break;
    }
  }
  return out;
}

TEST(ScanMarkupLine, SplitsRunsAtTagsAndLeavesOtherAnglesAsText) {
  const struct {
    std::u16string_view line;
    std::string expected;
  } cases[] = {
      {u"<b>Bold</b> text", "B[Bold]b[ text]"},
      {u"<B>x</B>", "B[x]b"},
      {u"<i>a<U>b</u></I>", "I[a]U[b]ui"},
      {u"<x> < b> <b", "[<x> < b> <b]"},
      {u"<c:Red>R</c>G", "C255[R]c[G]"},
      {u"<C:$00FF00>g", "C65280[g]"},
      {u"a<c:Crimson>b", "[a][b]"},  // ignored, but the run still ends there
      {u"a<c:>b", "[a][b]"},
      {u"ab<c:Red cd", "[ab]"},  // unclosed: swallows the rest of the line
      {u"a<c:red>", "[a]C255"},
      {u"<<b>>", "[<]B[>]"},
      {u"</c", "[</c]"},
      {u"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(describe(c.line), c.expected) << std::string(c.line.begin(), c.line.end());
  }
}

}  // namespace
}  // namespace kelvo
