// The preparation's own reading: the alias in the settings file and the
// archiver's program-files folder, on real files.
#include "update/preparation.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/registry.h"
#include "support/site_machine.h"
#include "support/temp_folder.h"
#include "update/program_files.h"

namespace kelvo {
namespace {

using test::TempFolder;

std::string aliasOf(const std::string& content) {
  TempFolder folder;
  return readSettingsAlias(folder.write("Sys_Info.INI", content).string());
}

TEST(SettingsAlias, IsCharacters15To44OfTheFirstLineTrimmed) {
  // 14 characters come before the alias.
  EXPECT_EQ(aliasOf("[BASE] ALIAS= LOJA\r\nSECOND LINE IGNORED"), "LOJA");
  EXPECT_EQ(aliasOf("[BASE] ALIAS=   LOJA CENTRAL  \t\n"), "LOJA CENTRAL");
  EXPECT_EQ(aliasOf("12345678901234ABCDEFGHIJKLMNOPQRSTUVWXYZ1234IGNORED"),
            "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234");
  EXPECT_EQ(aliasOf("12345678901234  LOJA                        X"), "LOJA");
  EXPECT_EQ(aliasOf("short line\r\n12345678901234NEXT"), "");
  EXPECT_EQ(aliasOf("12345678901234"), "");
  EXPECT_EQ(aliasOf(""), "");
  // The file is in the ANSI code page; a lone CR ends the line too.
  EXPECT_EQ(aliasOf("[BASE] ALIAS= A\xC7\xC3O\rX"), "AÇÃO");
}

TEST(SettingsAlias, AnUnreadableFileIsAnError) {
  TempFolder folder;
  EXPECT_THROW(readSettingsAlias((folder.path() / "missing.INI").string()), Error);
}

TEST(SettingsAlias, TheUnknownAliasMessageKeepsItsBlanks) {
  EXPECT_EQ(aliasNotFoundMessage(""), "Alias  do BDE não encontrado.");
  EXPECT_EQ(aliasNotFoundMessage("LOJA"), "Alias LOJA do BDE não encontrado.");
  EXPECT_EQ(aliasNotFoundMessage("LOJA", "/etc/a.ini:3: no DRIVER line"),
            "Alias LOJA do BDE não encontrado.\n/etc/a.ini:3: no DRIVER line");
}

// A machine whose registry stand-in names chosen folders, with archiver
// stand-ins placed below chosen folders.
class ProgramFiles : public ::testing::Test, protected test::SiteMachine {
 protected:
#ifdef _WIN32
  void SetUp() override {
    GTEST_SKIP() << "these read the POSIX registry stand-in; the Windows registry reader is "
                    "tested against the real registry in platform_test";
  }
#endif
};

TEST_F(ProgramFiles, TheFolderReadIsKeptWhenTheArchiverIsThere) {
  placeArchiverStandIn("Program Files (x86)");
  placeArchiverStandIn("Program Files");
  registryNames(path("Program Files (x86)"));
  EXPECT_EQ(programFiles(), path("Program Files (x86)"));
}

TEST_F(ProgramFiles, X86FallsBackToTheFolderBeforeTheParenthesis) {
  placeArchiverStandIn("Program Files");
  registryNames(path("Program Files (x86)"));
  EXPECT_EQ(programFiles(), path("Program Files"));  // the blank before "(" is dropped
  registryNames(path("Program Files (X86)\\sub"));
  EXPECT_EQ(programFiles(), path("Program Files"));
}

TEST_F(ProgramFiles, WithoutAnArchiverTheFolderReadStays) {
  registryNames(path("Program Files (x86)"));
  EXPECT_EQ(programFiles(), path("Program Files (x86)"));
  EXPECT_FALSE(archiverInstalled(programFiles()));
  registryNames(path("Programas"));
  EXPECT_EQ(programFiles(), path("Programas"));
}

TEST_F(ProgramFiles, ARegistryThatCannotBeReadIsAnError) {
  EXPECT_THROW(programFiles(), RegistryError);  // no stand-in file
  machine_.write("registry.reg",
                 "Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\"
                 "Windows\\CurrentVersion]\n\"ProgramFilesDir\"=hex(7):00,00\n");
  try {
    programFiles();
    ADD_FAILURE() << "an unsupported type was read";
  } catch (const RegistryError& e) {
    EXPECT_EQ(e.code(), 1012);
  }
}

}  // namespace
}  // namespace kelvo
