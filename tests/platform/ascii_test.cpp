// ASCII folding, trimming and comparison: only ASCII ever changes, and each
// trim strips exactly its own set of characters.
#include "platform/ascii.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(Ascii, FoldsOnlyAsciiLetters) {
  struct Case {
    std::string_view text;
    std::string_view upper;
    std::string_view lower;
  };
  const Case cases[] = {
      {"", "", ""},
      {"Sys_Info.INI", "SYS_INFO.INI", "sys_info.ini"},
      {"az@[`{AZ09", "AZ@[`{AZ09", "az@[`{az09"},
      // UTF-8 sequences and ANSI letters stay as they are.
      {"ação", "AçãO", "ação"},
      {"\xE7\xC7", "\xE7\xC7", "\xE7\xC7"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(upperAscii(c.text), c.upper) << c.text;
    EXPECT_EQ(lowerAscii(c.text), c.lower) << c.text;
  }
  EXPECT_EQ(upperAscii(u'\u00E7'), u'\u00E7');
  EXPECT_EQ(upperAscii(u'q'), u'Q');
}

TEST(Ascii, EachTrimStripsItsOwnCharacters) {
  struct Case {
    std::string_view text;
    std::string_view blanks;
    std::string_view blanks_and_tabs;
    std::string_view blanks_and_controls;
  };
  const Case cases[] = {
      {"", "", "", ""},
      {"   ", "", "", ""},
      {"  a b  ", "a b", "a b", "a b"},
      {"\t a \t", "\t a \t", "a", "a"},
      {"\r\n\x01 a\x1F\x7F", "\r\n\x01 a\x1F\x7F", "\r\n\x01 a\x1F\x7F", "a\x1F\x7F"},
      // Bytes from 0x80 up are text, never blanks.
      {"\xA0"
       "a\xC2\xA0",
       "\xA0"
       "a\xC2\xA0",
       "\xA0"
       "a\xC2\xA0",
       "\xA0"
       "a\xC2\xA0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(trimBlanks(c.text), c.blanks) << c.text;
    EXPECT_EQ(trimBlanksAndTabs(c.text), c.blanks_and_tabs) << c.text;
    EXPECT_EQ(trimBlanksAndControls(c.text), c.blanks_and_controls) << c.text;
  }
  EXPECT_EQ(trimAnyOf("\r\n 211 End\r\n", " \r\n"), "211 End");
  EXPECT_TRUE(isBlankOrControl('\0'));
  EXPECT_TRUE(isBlankOrControl(' '));
  EXPECT_FALSE(isBlankOrControl('!'));
  EXPECT_FALSE(isBlankOrControl('\x80'));
}

TEST(Ascii, ComparesAsciiLettersInAnyCase) {
  struct Case {
    std::string_view text;
    std::string_view other;
    bool equal;
    bool starts_with;
  };
  const Case cases[] = {
      {"", "", true, true},
      {"abc", "", false, true},
      {"", "a", false, false},
      {"MdTm", "MDTM", true, true},
      {"<dir>", "<DIR>", true, true},
      {"Junho", "JUN", false, true},
      {"JU", "JUN", false, false},
      // '@' and '`' sit next to the letters; they do not match them.
      {"@", "`", false, false},
      // Letters beyond ASCII are not folded.
      {"ção", "ÇÃO", false, false},
      {"Ção", "ÇÃ", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(equalsNoCase(c.text, c.other), c.equal) << c.text << " / " << c.other;
    EXPECT_EQ(startsWithNoCase(c.text, c.other), c.starts_with) << c.text << " / " << c.other;
  }
  EXPECT_TRUE(equalsNoCase(u"clWindowText", u"CLWINDOWTEXT"));
  EXPECT_FALSE(equalsNoCase(u"\u00E7", u"\u00C7"));
  EXPECT_TRUE(startsWithNoCase(u"C:red", u"c:"));
  EXPECT_FALSE(startsWithNoCase(u"c", u"c:"));
}

}  // namespace
}  // namespace kelvo
