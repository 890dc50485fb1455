// The alias file: parameter order, drivers, name matching, and a clear error
// for every malformed or unreadable file.
#include "access/catalogue/alias_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "support/temp_folder.h"

namespace kelvo {
namespace {

using ::testing::HasSubstr;

TEST(AliasFile, KeepsParameterLinesInFileOrder) {
  const AliasFile file = AliasFile::parse(
      "\xEF\xBB\xBF; aliases of this machine\r\n"
      "[LOJA]\r\n"
      "DRIVER=INTRBASE\r\n"
      "SERVER NAME=/data/loja.fdb\r\n"
      "  USER NAME=SYSDBA\r\n"
      "\r\n"
      "# the catalogue\n"
      "[Check]\n"
      "SERVER NAME=127.0.0.1\n"
      "DRIVER=mysql\n"
      "PORT=3306\n"
      "[Arquivos]\n"
      "TYPE=STANDARD\n"
      "DRIVER=STANDARD\n"
      "PATH=/data/dbf\n"
      "DEFAULT DRIVER=PARADOX\n",
      "aliases.ini");
  ASSERT_EQ(file.aliases().size(), 3u);
  const AliasEntry* loja = file.find("loja");
  ASSERT_NE(loja, nullptr);
  EXPECT_EQ(loja->driver, "INTRBASE");
  EXPECT_EQ(loja->params,
            (std::vector<std::string>{"SERVER NAME=/data/loja.fdb", "USER NAME=SYSDBA"}));
  const AliasEntry* check = file.find("CHECK");
  ASSERT_NE(check, nullptr);
  EXPECT_EQ(check->driver, "MYSQL");
  EXPECT_EQ(check->params, (std::vector<std::string>{"SERVER NAME=127.0.0.1", "PORT=3306"}));
  // The file-based driver's list leaves its TYPE line out.
  const AliasEntry* files = file.find("Arquivos");
  ASSERT_NE(files, nullptr);
  EXPECT_EQ(files->params, (std::vector<std::string>{"PATH=/data/dbf", "DEFAULT DRIVER=PARADOX"}));
  EXPECT_EQ(file.find("Missing"), nullptr);
}

TEST(AliasFile, NamesMatchByTheirFirst31Characters) {
  const std::string name40 = "A123456789B123456789C123456789D123456789";
  const AliasFile file = AliasFile::parse("[" + name40 + "]\nDRIVER=INTRBASE\n", "f");
  EXPECT_NE(file.find(name40), nullptr);
  EXPECT_NE(file.find(name40.substr(0, 31)), nullptr);
  EXPECT_NE(file.find(name40.substr(0, 31) + "something else"), nullptr);
  EXPECT_EQ(file.find(name40.substr(0, 30)), nullptr);
}

TEST(AliasFile, MalformedFilesNameTheLineAndTheFault) {
  struct Case {
    std::string text;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"SERVER NAME=/x\n", "f:1: 'SERVER NAME=/x' is outside any alias section"},
      {"[A]\nDRIVER=INTRBASE\nSERVER NAME\n", "f:3: expected NAME=VALUE, found 'SERVER NAME'"},
      {"[A]\nDRIVER=INTRBASE\n=x\n", "f:3: parameter without a name: '=x'"},
      {"[A\nDRIVER=INTRBASE\n", "f:1: section header without closing ']'"},
      {"[  ]\n", "f:1: empty alias name"},
      {"[A]\nSERVER NAME=/x\n[B]\nDRIVER=INTRBASE\n", "f:1: alias 'A' has no DRIVER line"},
      {"[B]\nDRIVER=INTRBASE\n\n[A]\nSERVER NAME=/x\n", "f:4: alias 'A' has no DRIVER line"},
      {"[A]\nDRIVER=INTRBASE\nDRIVER=MYSQL\n",
       "f:3: alias 'A' names its driver twice (first at line 2)"},
      {"[A]\nDRIVER=\n", "f:2: empty DRIVER of alias 'A'"},
      {"[Loja]\nDRIVER=INTRBASE\n[LOJA]\nDRIVER=INTRBASE\n",
       "f:3: alias 'LOJA' is defined twice (first at line 1)"},
  };
  for (const Case& c : cases) {
    try {
      AliasFile::parse(c.text, "f");
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const AliasError& error) {
      EXPECT_EQ(std::string(error.what()), c.message);
    }
  }
}

TEST(AliasFileRegistry, AnswersFromTheFileAndReportsWhatItCannotFind) {
  test::TempFolder folder;
  const auto path = folder.write("aliases.ini", "[LOJA]\nDRIVER=INTRBASE\nSERVER NAME=/d.fdb\n");
  AliasFileRegistry registry(path.string());
  std::vector<std::string> list = {"stale line"};
  registry.GetAliasParams("Loja", list);
  EXPECT_EQ(list, std::vector<std::string>{"SERVER NAME=/d.fdb"});

  list = {"stale line"};
  try {
    registry.GetAliasParams("Outra", list);
    ADD_FAILURE() << "unknown alias accepted";
  } catch (const AliasError& error) {
    EXPECT_THAT(error.what(), HasSubstr("Unknown alias 'Outra'"));
    EXPECT_THAT(error.what(), HasSubstr(path.string()));
  }
  EXPECT_TRUE(list.empty());
}

TEST(AliasFileRegistry, AnUnreadableFileIsAnErrorAndIsTriedAgain) {
  test::TempFolder folder;
  const std::string path = (folder.path() / "later.ini").string();
  AliasFileRegistry registry(path);
  std::vector<std::string> list;
  try {
    registry.GetAliasParams("LOJA", list);
    ADD_FAILURE() << "missing file accepted";
  } catch (const AliasError& error) {
    EXPECT_THAT(error.what(), HasSubstr("Cannot read the alias file " + path));
  }
  folder.write("later.ini", "[LOJA]\nDRIVER=INTRBASE\nSERVER NAME=/d.fdb\n");
  registry.GetAliasParams("LOJA", list);
  EXPECT_EQ(list, std::vector<std::string>{"SERVER NAME=/d.fdb"});
}

TEST(AliasFileRegistry, PathComesFromTheEnvironment) {
  // Restores the variables this test changes when it ends.
  struct Saved {
    std::string name;
    std::optional<std::string> value;
    explicit Saved(std::string n) : name(std::move(n)) {
      if (const char* v = std::getenv(name.c_str())) value = v;
    }
    ~Saved() { value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str()); }
  } aliases("KELVOUPDATE_ALIASES"), config("XDG_CONFIG_HOME"), home("HOME");
  ::setenv("KELVOUPDATE_ALIASES", "/etc/kelvo/aliases.ini", 1);
  EXPECT_EQ(aliasFilePath(), "/etc/kelvo/aliases.ini");
  ::unsetenv("KELVOUPDATE_ALIASES");
  ::setenv("XDG_CONFIG_HOME", "/home/op/cfg", 1);
  EXPECT_EQ(aliasFilePath(), "/home/op/cfg/kelvoupdate/aliases.ini");
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("HOME", "/home/op", 1);
  EXPECT_EQ(aliasFilePath(), "/home/op/.config/kelvoupdate/aliases.ini");
}

}  // namespace
}  // namespace kelvo
