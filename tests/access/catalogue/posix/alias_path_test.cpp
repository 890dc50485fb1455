// Where the alias file is looked for on POSIX: never in the working folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "access/catalogue/alias_file.h"
#include "access/catalogue/pega_bde_dados.h"
#include "support/portable.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

namespace kelvo {
namespace {

using ::testing::HasSubstr;

TEST(AliasFileRegistry, PathComesFromTheEnvironmentAndIsNeverRelative) {
  test::ScopedEnv aliases("KELVOUPDATE_ALIASES", "/etc/kelvo/aliases.ini");
  test::ScopedEnv config("XDG_CONFIG_HOME", "/home/op/cfg");
  test::ScopedEnv home("HOME", std::nullopt);
  EXPECT_EQ(aliasFilePath(), "/etc/kelvo/aliases.ini");
  test::unsetEnv("KELVOUPDATE_ALIASES");
  EXPECT_EQ(aliasFilePath(), "/home/op/cfg/kelvoupdate/aliases.ini");
  test::setEnv("XDG_CONFIG_HOME", "cfg");  // relative: passed over
  test::setEnv("HOME", "/home/op");
  EXPECT_EQ(aliasFilePath(), "/home/op/.config/kelvoupdate/aliases.ini");
  test::setEnv("KELVOUPDATE_ALIASES", "aliases.ini");
  EXPECT_THROW(
      {
        try {
          aliasFilePath();
        } catch (const AliasError& error) {
          EXPECT_THAT(error.what(), HasSubstr("absolute path, not 'aliases.ini'"));
          throw;
        }
      },
      AliasError);

  // With nothing to go by, a file in the working folder is not read.
  test::unsetEnv("KELVOUPDATE_ALIASES");
  test::unsetEnv("XDG_CONFIG_HOME");
  test::setEnv("HOME", ".");
  test::TempFolder folder;
  folder.write("aliases.ini", "[LOJA]\nDRIVER=INTRBASE\nSERVER NAME=/elsewhere.fdb\n");
  test::WorkingFolder inside(folder.path());
  AliasFileRegistry registry;
  EXPECT_EQ(PegaBDEdados(registry, "LOJA", "SERVER NAME"), "");
  EXPECT_THAT(aliasProblem(registry, "LOJA"), HasSubstr("No alias file: set KELVOUPDATE_ALIASES"));
}

}  // namespace
}  // namespace kelvo
