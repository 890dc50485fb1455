// The alias file: parameter order, drivers, name matching, and a clear error
// for every malformed or unreadable file.
#include "access/catalogue/alias_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "access/catalogue/pega_bde_dados.h"
#include "support/scoped_env.h"
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

TEST(AliasFile, AFaultyAliasNamesItsLineAndLeavesTheOthersUsable) {
  struct Case {
    std::string text;
    std::string message;
  };
  // Each alias A below starts on line 5, after a good alias B.
  const std::vector<Case> cases = {
      {"[A]\nDRIVER=INTRBASE\nSERVER NAME\n", "f:7: expected NAME=VALUE, found 'SERVER NAME'"},
      {"[A]\nDRIVER=INTRBASE\n=x\n", "f:7: parameter without a name: '=x'"},
      {"[A\nDRIVER=INTRBASE\n", "f:5: section header without closing ']'"},
      {"[A] LOJA\nDRIVER=INTRBASE\n", "f:5: unexpected 'LOJA' after the section header"},
      {"[A]\nSERVER NAME=/x\n", "f:5: alias 'A' has no DRIVER line"},
      {"[A]\nDRIVER=INTRBASE\nDRIVER=MYSQL\n",
       "f:7: alias 'A' names its driver twice (first at line 6)"},
      {"[A]\nDRIVER=\n", "f:6: empty DRIVER of alias 'A'"},
      {"[A]\nDRIVER=INTRBASE\n[Z]\nDRIVER=INTRBASE\n[a]\nDRIVER=INTRBASE\n",
       "f:5: alias 'A' is defined more than once (lines 5, 9)"},
      {"[A]\nDRIVER=MYSQL\nSERVER NAME=h\nSERVER NAM=other\n",
       "f:8: unknown setting 'SERVER NAM' of the catalogue alias 'A' (known: SERVER NAME, PORT, "
       "DATABASE NAME, USER NAME, PASSWORD, SOCKET, CONNECT TIMEOUT, TLS, TLS CA FILE)"},
  };
  for (const Case& c : cases) {
    const AliasFile file = AliasFile::parse("[B]\nDRIVER=INTRBASE\nSERVER NAME=/b\n\n" + c.text +
                                                "\n[C]\nDRIVER=INTRBASE\nSERVER NAME=/c\n",
                                            "f");
    const AliasEntry* faulty = file.find("A");
    ASSERT_NE(faulty, nullptr) << c.text;
    EXPECT_EQ(faulty->problem, c.message) << c.text;
    for (const char* good : {"B", "C"}) {
      const AliasEntry* alias = file.find(good);
      ASSERT_NE(alias, nullptr) << c.text;
      EXPECT_EQ(alias->problem, "") << c.text;
      EXPECT_EQ(alias->params.size(), 1u) << c.text;
    }
  }
}

TEST(AliasFile, ReadsWhatAUserMeans) {
  // Blanks around "=", lone CR line breaks, comments after section headers.
  const AliasFile file = AliasFile::parse(
      "[LOJA]   ; the shop\rDRIVER = INTRBASE\rSERVER NAME =  /data/loja.fdb \r"
      "[Check] # catalogue\r\nDRIVER= MYSQL\r\n  SERVER NAME = db.example\r\nport = 3306\r\n",
      "f");
  const AliasEntry* loja = file.find("loja");
  ASSERT_NE(loja, nullptr);
  EXPECT_EQ(loja->problem, "");
  EXPECT_EQ(loja->driver, "INTRBASE");
  EXPECT_EQ(loja->params, std::vector<std::string>{"SERVER NAME=/data/loja.fdb"});
  const AliasEntry* check = file.find("check");
  ASSERT_NE(check, nullptr);
  EXPECT_EQ(check->problem, "");
  EXPECT_EQ(check->params, (std::vector<std::string>{"SERVER NAME=db.example", "port=3306"}));
  EXPECT_TRUE(file.strayProblems().empty());
}

TEST(AliasFile, LinesOutsideAnyAliasAreNotedOnce) {
  const AliasFile file =
      AliasFile::parse("SERVER NAME=/x\nDRIVER=INTRBASE\n[LOJA]\nDRIVER=INTRBASE\n[ ]\nA=B\n", "f");
  EXPECT_EQ(file.strayProblems(),
            (std::vector<std::string>{"f:1: 'SERVER NAME=/x' is outside any alias section",
                                      "f:5: empty alias name"}));
  ASSERT_NE(file.find("LOJA"), nullptr);
  EXPECT_EQ(file.find("LOJA")->problem, "");
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

TEST(AliasFileRegistry, AFaultyAliasFailsWithItsOwnFault) {
  test::TempFolder folder;
  const auto path =
      folder.write("aliases.ini", "LOJA\n[OUTRA]\nSERVER NAME=/o.fdb\n[LOJA]\nDRIVER=INTRBASE\n");
  AliasFileRegistry registry(path.string());
  std::vector<std::string> list;
  registry.GetAliasParams("loja", list);
  EXPECT_TRUE(list.empty());
  try {
    registry.GetAliasParams("OUTRA", list);
    ADD_FAILURE() << "faulty alias accepted";
  } catch (const AliasError& error) {
    EXPECT_EQ(std::string(error.what()), path.string() + ":2: alias 'OUTRA' has no DRIVER line");
  }
  try {
    registry.GetAliasParams("TERCEIRA", list);
    ADD_FAILURE() << "unknown alias accepted";
  } catch (const AliasError& error) {
    EXPECT_THAT(error.what(),
                HasSubstr("\n" + path.string() + ":1: 'LOJA' is outside any alias section"));
  }
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

TEST(AliasProblem, GivesTheComplaintAboutOneAliasAndWritesItToStandardError) {
  test::TempFolder folder;
  const auto path = folder.write(
      "aliases.ini", "[LOJA]\nDRIVER=INTRBASE\nSERVER NAME=/l.fdb\n[FILIAL]\nSERVER NAME /f.fdb\n");
  AliasFileRegistry registry(path.string());
  EXPECT_EQ(aliasProblem(registry, "LOJA"), "");
  EXPECT_EQ(aliasProblem(registry, ""), "");
  ::testing::internal::CaptureStderr();
  const std::string problem = aliasProblem(registry, "FILIAL");
  const std::string written = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(problem, path.string() + ":5: expected NAME=VALUE, found 'SERVER NAME /f.fdb'");
  EXPECT_EQ(written, problem + "\n");
  EXPECT_EQ(PegaBDEdados(registry, "FILIAL", "SERVER NAME"), "");  // callers rely on empty text
  EXPECT_THAT(aliasProblem(registry, "MATRIZ"),
              HasSubstr("Unknown alias 'MATRIZ' (alias file " + path.string() + ")"));

  // The machine's registry, as the main screen asks it.
  test::ScopedEnv aliases("KELVOUPDATE_ALIASES", path.string());
  EXPECT_EQ(aliasProblem(std::string_view("FILIAL")), problem);
  EXPECT_EQ(aliasProblem(std::string_view("LOJA")), "");
}

}  // namespace
}  // namespace kelvo
