// kelvoupdate.exe as the operator starts it: arguments outside the ANSI code
// page reach it through the wide command line, and what it prints is UTF-8.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/native_path.h"
#include "support/portable.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"
#include "windows/windows_process.h"

namespace kelvo {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class KelvoupdateOnWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* program = std::getenv("KELVO_KELVOUPDATE");
    ASSERT_NE(program, nullptr) << "the test names kelvoupdate.exe";
    kelvoupdate = test::quoted(utf8Text(std::filesystem::absolute(program)));
  }

  std::string kelvoupdate;
};

TEST_F(KelvoupdateOnWindows, PrintsItsVersion) {
  const test::ProgramRun run = test::runCapturing(kelvoupdate + " --version");
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.output, "kelvoupdate 1.0.0\r\n");
}

TEST_F(KelvoupdateOnWindows, AFolderNamedOutsideTheAnsiCodePageIsUsedAndPrintedInUtf8) {
  test::TempFolder machine;
  // Portuguese letters the ANSI code page has, and Greek, Cyrillic and
  // Chinese ones it lacks: each would turn into '?' on the narrow way in.
  const std::string name = "Loja São João ΩЖ中";
  const std::filesystem::path site = machine.path() / filePath(name);
  std::filesystem::create_directory(site);
  test::ScopedEnv aliases("KELVOUPDATE_ALIASES", utf8Text(machine.path() / "aliases.ini"));

  const test::ProgramRun run =
      test::runCapturing(kelvoupdate + " status --pasta " + test::quoted(utf8Text(site)));
  EXPECT_THAT(run.output, StartsWith("Pasta: " + utf8Text(site) + "\r\n"));
  // Nothing is prepared there: the report says so and the exit code too.
  EXPECT_THAT(run.output, HasSubstr("Preparação: não concluída\r\n"));
  EXPECT_EQ(run.exit_code, 5) << run.output;
}

TEST_F(KelvoupdateOnWindows, AFolderThatDoesNotExistIsAUsageError) {
  test::TempFolder machine;
  const std::string missing = utf8Text(machine.path() / filePath("Não há"));
  const test::ProgramRun run =
      test::runCapturing(kelvoupdate + " status --pasta " + test::quoted(missing));
  EXPECT_EQ(run.exit_code, 64);
  EXPECT_THAT(run.output, HasSubstr("não foi possível usar a pasta " + missing));
}

}  // namespace
}  // namespace kelvo
