// Names of listing lines and which server names may be written; the
// download decision is file_marking_test's.
#include "update/file_names.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(UltimaPalavra, TakesTheLastBlankSeparatedWordOfTheTrimmedLine) {
  EXPECT_EQ(UltimaPalavra("-rw-r--r-- 1 u g 5 Dec 08 10:00 a.txt"), "a.txt");
  EXPECT_EQ(UltimaPalavra("  \t-rw-r--r-- 1 u g 5 Dec 08 10:00 my file.txt \r"), "file.txt");
  EXPECT_EQ(UltimaPalavra("onlyword"), "onlyword");
  EXPECT_EQ(UltimaPalavra("a\tb"), "a\tb");  // tabs do not separate
  EXPECT_EQ(UltimaPalavra(""), "");
  // The blank counts among the 1000 characters taken.
  EXPECT_EQ(UltimaPalavra("x " + std::string(1200, 'n')), std::string(999, 'n'));
}

TEST(SafeFileName, RefusesWhatCouldLeaveTheWorkingFolder) {
  for (const char* name :
       {"a.txt", "Sys_Tavrela.rar", "my file.txt", "a..b", ".hidden", "ação.txt"}) {
    EXPECT_TRUE(isSafeFileName(name)) << name;
  }
  for (const char* name : {"", ".", "..", "...", ". .", "../x", "..\\x", "a/b", "C:x", "a\tb",
                           "a\x7f", "sub\\..\\..\\win.ini"}) {
    EXPECT_FALSE(isSafeFileName(name)) << name;
  }
}

}  // namespace
}  // namespace kelvo
