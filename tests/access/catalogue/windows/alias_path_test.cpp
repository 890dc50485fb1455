// Where the alias file is looked for on Windows: KELVOUPDATE_ALIASES, else
// the machine-wide file under %ProgramData%, never the working folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "access/catalogue/alias_file.h"
#include "access/catalogue/pega_bde_dados.h"
#include "platform/environment.h"
#include "platform/native_path.h"
#include "support/portable.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

namespace kelvo {
namespace {

using ::testing::HasSubstr;

TEST(AliasFilePathOnWindows, TheVariableThenProgramDataAndNeverTheWorkingFolder) {
  test::ScopedEnv aliases("KELVOUPDATE_ALIASES", "C:\\Loja\\aliases.ini");
  test::ScopedEnv data("ProgramData", "D:\\Dados");
  EXPECT_EQ(aliasFilePath(), "C:\\Loja\\aliases.ini");
  test::unsetEnv("KELVOUPDATE_ALIASES");
  EXPECT_EQ(aliasFilePath(), "D:\\Dados\\KelvoUpdate\\aliases.ini");

  for (const char* relative : {"aliases.ini", "\\aliases.ini" /* no drive */}) {
    test::setEnv("KELVOUPDATE_ALIASES", relative);
    AliasFileRegistry registry;
    EXPECT_THAT(aliasProblem(registry, "LOJA"),
                HasSubstr(std::string("absolute path, not '") + relative + "'"));
  }

  // With nothing to go by, an alias file in the working folder is not read.
  test::unsetEnv("KELVOUPDATE_ALIASES");
  test::setEnv("ProgramData", "Dados");
  test::TempFolder folder;
  folder.write("aliases.ini", "[LOJA]\nDRIVER=INTRBASE\nSERVER NAME=C:\\outra.fdb\n");
  test::WorkingFolder inside(folder.path());
  AliasFileRegistry registry;
  EXPECT_EQ(PegaBDEdados(registry, "LOJA", "SERVER NAME"), "");
  EXPECT_THAT(aliasProblem(registry, "LOJA"), HasSubstr("No alias file: set KELVOUPDATE_ALIASES"));
}

// The machine's real %ProgramData% (Wine's), written and removed by the test.
TEST(AliasFilePathOnWindows, TheMachineFileUnderProgramDataIsRead) {
  test::ScopedEnv aliases("KELVOUPDATE_ALIASES", std::nullopt);
  const std::filesystem::path data = filePath(environmentVariable("ProgramData"));
  ASSERT_FALSE(data.empty()) << "Windows sets ProgramData";
  const std::filesystem::path folder = data / "KelvoUpdate";
  ASSERT_FALSE(std::filesystem::exists(folder / "aliases.ini")) << "left by someone else";
  std::filesystem::create_directories(folder);
  {
    std::ofstream(folder / "aliases.ini") << "[LOJA]\r\nDRIVER=INTRBASE\r\nSERVER NAME=C:\\Dados\\"
                                             "loja.fdb\r\nUSER NAME=SYSDBA\r\n";
  }
  AliasFileRegistry registry;
  const std::string loja = PegaBDEdados(registry, "loja", "SERVER NAME");
  std::filesystem::remove_all(folder);
  EXPECT_EQ(loja, "C:\\Dados\\loja.fdb");
  EXPECT_EQ(registry.path(), utf8Text(folder / "aliases.ini"));
}

// A folder outside the ANSI code page reaches the program through the wide
// environment and the wide file API.
TEST(AliasFilePathOnWindows, AFolderNameOutsideTheAnsiCodePageIsRead) {
  test::TempFolder folder;
  const std::string name = "Configuração ΩЖ中";
  std::filesystem::create_directory(folder.path() / filePath(name));
  const std::string path = utf8Text(folder.path() / filePath(name) / "aliases.ini");
  { std::ofstream(filePath(path)) << "[CHECK]\nDRIVER=MYSQL\nSERVER NAME=127.0.0.1\n"; }
  test::ScopedEnv aliases("KELVOUPDATE_ALIASES", path);
  AliasFileRegistry registry;
  EXPECT_EQ(PegaBDEdados(registry, "Check", "SERVER NAME"), "127.0.0.1");
  EXPECT_EQ(registry.path(), path);
}

}  // namespace
}  // namespace kelvo
