// The FTP settings file: defaults, each line's reading, and bad ports.
#include "update/atualiza_cfg.h"

#include <gtest/gtest.h>

#include "platform/error.h"
#include "support/temp_folder.h"
#include "update/deployment.h"

namespace kelvo {
namespace {

TEST(AtualizaCfg, WithoutTheFileTheDefaultsApply) {
  test::TempFolder folder;
  test::WorkingFolder cwd(folder.path());
  const FtpSettings settings = readFtpSettings();
  EXPECT_EQ(settings.host, kFtpHost);
  EXPECT_EQ(settings.port, 21);
  EXPECT_TRUE(settings.passive);
  EXPECT_STREQ(settings.passwordColumn(), "senha_ftp");
}

TEST(AtualizaCfg, ReadsHostPortModeAndPasswordColumn) {
  test::TempFolder folder;
  test::WorkingFolder cwd(folder.path());
  // The host is used as written; the file is in the ANSI code page.
  folder.write("atualiza.cfg", " ftp.ex\xe9mplo \r\n2121\r\nFalse\r\nx\r\nignored\r\n");
  const FtpSettings settings = readFtpSettings();
  EXPECT_EQ(settings.host, " ftp.ex\xc3\xa9mplo ");
  EXPECT_EQ(settings.port, 2121);
  EXPECT_FALSE(settings.passive);
  EXPECT_STREQ(settings.passwordColumn(), "senha_ftp2");
}

TEST(AtualizaCfg, OnlyFalseInAnyCaseSelectsActiveMode) {
  for (const char* line : {"false", "FALSE", "fAlSe"}) {
    EXPECT_FALSE(parseFtpSettings({"h", "21", line}).passive) << line;
  }
  for (const char* line : {"", "no", "0", " FALSE", "FALSE "}) {
    EXPECT_TRUE(parseFtpSettings({"h", "21", line}).passive) << line;
  }
  EXPECT_TRUE(parseFtpSettings({"h", "21"}).passive);
  EXPECT_FALSE(parseFtpSettings({"h", "21", "", ""}).secondPassword);
}

TEST(AtualizaCfg, APortThatIsNoNumberStopsTheRun) {
  const auto error = [](const std::string& port) {
    try {
      parseFtpSettings({"h", port});
    } catch (const Error& e) {
      return std::string(e.what());
    }
    return std::string("accepted");
  };
  EXPECT_EQ(error(""), "'' is not a valid integer value");
  EXPECT_EQ(error("21a"), "'21a' is not a valid integer value");
  EXPECT_EQ(error("21 "), "'21 ' is not a valid integer value");
  EXPECT_EQ(error("70000"), "'70000' is not a valid port number");
  EXPECT_EQ(error("-1"), "'-1' is not a valid port number");
  EXPECT_EQ(parseFtpSettings({"h", " +990"}).port, 990);
  EXPECT_THROW(parseFtpSettings({"h"}), Error);
}

}  // namespace
}  // namespace kelvo
