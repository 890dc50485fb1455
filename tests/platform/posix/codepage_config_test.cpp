// On POSIX the ANSI code page is an iconv encoding a site may choose.
#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "support/scoped_env.h"

namespace kelvo {
namespace {

TEST(ConfiguredCodePage, AnotherCodePageCanBeConfigured) {
  test::ScopedEnv codepage("KELVOUPDATE_ANSI_CODEPAGE", "ISO-8859-5");
  EXPECT_EQ(ansiCodePageName(), "ISO-8859-5");
  EXPECT_EQ(utf8ToAnsi("Ж"), "\xB6");
  EXPECT_EQ(ansiToUtf8("\xB6"), "Ж");
  EXPECT_EQ(utf8ToAnsi("€"), "?");
}

}  // namespace
}  // namespace kelvo
