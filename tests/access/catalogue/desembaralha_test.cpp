// Descrambling in the ANSI code page and in UTF-16, at the edges of the key
// and of the ranges, and the stored central login.
#include "access/catalogue/desembaralha.h"

#include <gtest/gtest.h>

#include "access/catalogue/umysql.h"
#include "platform/codepage.h"

namespace kelvo {
namespace {

TEST(Desembaralha, ShortAndKeylessTexts) {
  struct Case {
    std::string input;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"", ""},        {"7", ""},
      {"x", ""},       {"Xabc", "abc"},  // not a digit: key 0, text unchanged
      {"0abc", "abc"}, {"1def", "abc"},  // key 1: down by 3
      {"-abc", "abc"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DesembaralhaAnsi(c.input), c.expected) << c.input;
    EXPECT_EQ(Desembaralha(c.input), c.expected) << c.input;
  }
}

TEST(Desembaralha, AnsiWorksOnCodePageBytesAndWrapsBelowZero) {
  // Key 9 lowers every byte by 27; bytes below 27 wrap to the top of 0..255.
  EXPECT_EQ(utf8ToAnsi(DesembaralhaAnsi(std::string("9\x1A") + "\x1B")),
            std::string("\xFF\x00", 2));
  // "€" is byte 0x80 in Windows-1252: 0x80 - 27 = 0x65 'e'.
  EXPECT_EQ(DesembaralhaAnsi("9\xE2\x82\xAC"), "e");
  // "é" (0xE9) - 3 = 0xE6 "æ".
  EXPECT_EQ(DesembaralhaAnsi("1\xC3\xA9"), "\xC3\xA6");
}

TEST(Desembaralha, Utf16WorksOnCodeUnitsModulo65536) {
  EXPECT_EQ(Desembaralha(u"9\u0005A"), std::u16string(u"\uFFEA&"));
  // "€" is U+20AC as one code unit, not byte 0x80: 0x20AC - 27 = 0x2091.
  EXPECT_EQ(Desembaralha(u"9\u20AC"), std::u16string(u"\u2091"));
  EXPECT_EQ(Desembaralha(std::string("9\xE2\x82\xAC")), "\xE2\x82\x91");
}

TEST(Desembaralha, ScramblingRoundTripsForEveryKey) {
  const std::string secret = "Senha-FTP 2026 \xC3\xA7";  // ends in "ç"
  for (int key = 0; key <= 9; ++key) {
    EXPECT_EQ(DesembaralhaAnsi(EmbaralhaAnsi(secret, key)), secret) << key;
    const std::u16string wide = utf8ToUtf16(secret);
    EXPECT_EQ(Desembaralha(Embaralha(wide, key)), wide) << key;
  }
  // Every byte of the code page survives, including the ones Windows-1252
  // leaves undefined and the bytes that wrap.
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const std::string text = ansiToUtf8(all);
  EXPECT_EQ(DesembaralhaAnsi(EmbaralhaAnsi(text, 9)), text);
}

TEST(UMySQL, StoredLoginHasTheDocumentedShape) {
  // One key digit, then the scrambled characters (10 and 18 for the demo).
  const std::string user = utf8ToAnsi(UsuarioMySQL());
  const std::string password = utf8ToAnsi(SenhaMySQL());
  ASSERT_FALSE(user.empty());
  ASSERT_FALSE(password.empty());
  EXPECT_TRUE(user[0] >= '0' && user[0] <= '9');
  EXPECT_TRUE(password[0] >= '0' && password[0] <= '9');
  EXPECT_EQ(utf8ToAnsi(DesembaralhaAnsi(UsuarioMySQL())).size(), user.size() - 1);
  EXPECT_EQ(utf8ToAnsi(DesembaralhaAnsi(SenhaMySQL())).size(), password.size() - 1);
}

}  // namespace
}  // namespace kelvo
