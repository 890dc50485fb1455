// Names of listing lines, which server names may be written, and the
// download decision against real files.
#include "update/file_names.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "support/temp_folder.h"

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

class PrecisaBaixarTest : public ::testing::Test {
 protected:
  test::TempFolder folder_;
  test::WorkingFolder cwd_{folder_.path()};
  FormatSettings br_ = FormatSettings::brazilian();
  TDateTime server_ = encodeDate(2026, 12, 8) + encodeTime(10, 15, 0, 0);
};

TEST_F(PrecisaBaixarTest, ComparesToTheMinuteInEitherDirection) {
  folder_.write("a.txt", "x");
  setFileLastWriteTime("a.txt", server_ + encodeTime(0, 0, 59, 0));
  EXPECT_FALSE(PrecisaBaixar("a.txt", server_, br_));
  setFileLastWriteTime("a.txt", server_ + encodeTime(0, 1, 0, 0));
  EXPECT_TRUE(PrecisaBaixar("a.txt", server_, br_));
  setFileLastWriteTime("a.txt", server_ - encodeTime(0, 1, 0, 0));
  EXPECT_TRUE(PrecisaBaixar("a.txt", server_, br_));
}

TEST_F(PrecisaBaixarTest, MissingFilesAreFetchedEvenWhenDatedTodayAtMidnight) {
  const TDateTime midnight = static_cast<double>(static_cast<long long>(now()));
  EXPECT_TRUE(PrecisaBaixar("absent.txt", midnight, br_));
  EXPECT_TRUE(PrecisaBaixar("absent.txt", server_, br_));
}

TEST_F(PrecisaBaixarTest, ArquivosDllsIsNeverFetchedInItsExactCase) {
  EXPECT_FALSE(PrecisaBaixar("Arquivos_dlls", server_, br_));
  EXPECT_TRUE(PrecisaBaixar("arquivos_dlls", server_, br_));
}

}  // namespace
}  // namespace kelvo
