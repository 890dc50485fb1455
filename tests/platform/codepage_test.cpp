// Conversions between UTF-8, the ANSI code page (Windows-1252) and UTF-16.
#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/portable.h"

namespace kelvo {
namespace {

class CodePage : public ::testing::Test {
 protected:
  void SetUp() override { test::unsetEnv("KELVOUPDATE_ANSI_CODEPAGE"); }
  void TearDown() override { test::unsetEnv("KELVOUPDATE_ANSI_CODEPAGE"); }
};

TEST_F(CodePage, PortugueseTextRoundTripsThroughWindows1252) {
  const std::string text = "ATUALIZAÇÃO São Paulo – “aspas” €";
  const std::string ansi = utf8ToAnsi(text);
  EXPECT_EQ(ansi,
            "ATUALIZA\xC7\xC3O S\xE3o Paulo \x96 \x93"
            "aspas\x94 \x80");
  EXPECT_EQ(ansiToUtf8(ansi), text);
}

TEST_F(CodePage, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(utf8ToAnsi(ansiToUtf8(all)), all);
}

TEST_F(CodePage, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(utf8ToAnsi("a中b😀c"), "a?b?c");
  EXPECT_EQ(utf8ToAnsi("Ω"), "?");
}

TEST_F(CodePage, MalformedUtf8IsReplacedNotDropped) {
  EXPECT_EQ(utf8ToUtf16("a\xFF"
                        "b"),
            u"a\uFFFDb");
  EXPECT_EQ(utf8ToUtf16("\xE2\x82"), u"\uFFFD\uFFFD");  // truncated sequence
  EXPECT_EQ(utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong '/'
  EXPECT_EQ(utf8ToAnsi("x\xED\xA0\x80y"), "x???y");     // encoded surrogate
}

TEST_F(CodePage, Utf16KeepsSupplementaryCharactersAsPairs) {
  const std::u16string wide = utf8ToUtf16("a😀");
  ASSERT_EQ(wide.size(), 3u);
  EXPECT_EQ(wide[1], 0xD83D);
  EXPECT_EQ(wide[2], 0xDE00);
  EXPECT_EQ(utf16ToUtf8(wide), "a😀");
  EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

TEST(Utf8Characters, CountsCodePointsNotBytes) {
  struct Case {
    std::string_view text;
    std::size_t first;
    std::size_t count;
    std::string_view expected;
  };
  const Case cases[] = {
      {"", 0, 5, ""},
      {"abc", 0, 0, ""},
      {"abc", 3, 1, ""},
      {"abc", 7, 2, ""},
      {"ação", 0, 2, "aç"},
      {"→ M-LOJA", 2, 100, "M-LOJA"},
      {"a😀b", 1, 1, "😀"},
      // A malformed byte counts as one character, as decodeUtf8 reads it.
      {"\xFF"
       "ab",
       1, 1, "a"},
      {"a\xE2\x82", 1, 5, "\xE2\x82"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(utf8Characters(c.text, c.first, c.count), c.expected)
        << c.text << " from " << c.first << " count " << c.count;
  }
}

}  // namespace
}  // namespace kelvo
