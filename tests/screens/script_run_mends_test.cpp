// The run where the plain reading would lose work or strand the operator:
// errors outside a script, unsafe entry names, drafts, repeated pairs and an
// empty version table.
#include <QProgressBar>
#include <filesystem>

#include "script_run_fixture.h"

namespace kelvo::test {
namespace {

using Lines = std::vector<std::string>;

const char* const kVersaoTables =
    "select count(*) V from rdb$relations where rdb$relation_name = 'VERSAO'";

TEST_F(ScriptRunTest, ADatabaseThatCannotBeOpenedEndsTheRunWithErrors) {
  addAlias("PERDIDA", (folder.path() / "missing.fdb").string());
  addDatabase("LOJA");
  catalog.addScript("QUARVESSA", "0001", "CREATE TABLE T (N INTEGER);");

  run({"PERDIDA", "LOJA"});
  // No script failed: the operator may retry, support is not needed.
  EXPECT_EQ(screen().Tag(), 0);
  ASSERT_EQ(answers->messages.size(), 1u);
  EXPECT_EQ(
      answers->messages[0].rfind(
          "Erro na base de dados PERDIDA (" + (folder.path() / "missing.fdb").string() + "): ", 0),
      0u)
      << answers->messages[0];
  EXPECT_TRUE(answers->errorScreens.empty());
  EXPECT_TRUE(records().empty());
  // The run stopped where it was: the next database was not touched.
  EXPECT_EQ(column("LOJA", kVersaoTables), Lines{"0"});

  // An alias the registry does not know names no database at all; the same
  // screen can run again afterwards.
  run({"DESCONHECIDA"});
  ASSERT_EQ(answers->messages.size(), 1u);
  EXPECT_EQ(answers->messages[0], "Alias DESCONHECIDA do BDE não encontrado.");
  run({"LOJA"});
  EXPECT_EQ(version("LOJA"), "0001");
  EXPECT_TRUE(answers->messages.empty());
}

TEST_F(ScriptRunTest, AFailingCatalogueStatementClosesTheDatabaseAndEndsTheRun) {
  addDatabase("LOJA");
  catalog.execute("DROP TABLE scripts");
  run({"LOJA"});  // checks that the client database was closed
  EXPECT_EQ(screen().Tag(), 0);
  ASSERT_EQ(answers->messages.size(), 1u);
  EXPECT_EQ(answers->messages[0].rfind("Erro no catálogo central de scripts (", 0), 0u)
      << answers->messages[0];
  EXPECT_NE(answers->messages[0].find("scripts"), std::string::npos) << answers->messages[0];
  EXPECT_EQ(version("LOJA"), "0");
}

TEST_F(ScriptRunTest, ARecordThatCannotBeSavedEndsTheRunWithErrors) {
  addDatabase("LOJA");
  const std::string name = std::string(kStamp) + "M-LOJA.TXT";
  std::filesystem::create_directory(folder.path() / name);
  catalog.addScript("QUARVESSA", "0001",
                    "CREATE TABLE T (N INTEGER);\r\nINSERT INTO T VALUES (1);\r\n"
                    "INSERT INTO NENHUMA VALUES (1);\r\n");
  catalog.addScript("QUARVESSA", "0002", "INSERT INTO T VALUES (2);");

  run({"LOJA"});
  EXPECT_EQ(screen().Tag(), 1);
  ASSERT_EQ(answers->messages.size(), 1u);
  // The operator reads the script's whole error and why it was not kept.
  EXPECT_EQ(answers->messages[0].rfind("O script 0001 da base LOJA falhou e o registro de falha "
                                       "não pôde ser gravado: Cannot create file \"" +
                                           name + "\". ",
                                       0),
            0u)
      << answers->messages[0];
  EXPECT_NE(answers->messages[0].find("\nErro do script:\n"), std::string::npos);
  EXPECT_NE(answers->messages[0].find("NENHUMA"), std::string::npos) << answers->messages[0];
  // No partial record is left, under its name or a temporary one.
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    EXPECT_NE(entry.path().filename().string().rfind(".kelvo", 0), 0u) << entry.path();
  }
  EXPECT_TRUE(std::filesystem::is_directory(folder.path() / name));
  EXPECT_TRUE(answers->errorScreens.empty());
  EXPECT_TRUE(pauses.empty());
  // The script's version is not recorded, so its open data is not kept
  // either: offered again, it will not insert its rows twice.
  EXPECT_EQ(version("LOJA"), "0");
  EXPECT_EQ(column("LOJA", "select count(*) V from t"), Lines{"0"});
}

TEST_F(ScriptRunTest, AnAliasNameCannotSendTheRecordOutOfTheWorkingFolder) {
  addDatabase("LOJA/1:A");
  catalog.addScript("QUARVESSA", "0001", "INSERT INTO NENHUMA VALUES (1);");
  run({"LOJA/1:A"});
  EXPECT_EQ(screen().Tag(), 1);
  EXPECT_EQ(records(), Lines{std::string(kStamp) + "M-LOJA_1_A.TXT"});
  EXPECT_EQ(answers->errorScreens,
            Lines{"SCRIPT EM EXECUÇÃO SALVO: " + std::string(kStamp) + "M-LOJA_1_A.TXT"});
}

TEST_F(ScriptRunTest, OnlyReleasedTextRunsAndARepeatedPairRunsOnce) {
  addDatabase("LOJA");
  catalog.addScript("QUARVESSA", "0001", "CREATE TABLE T (NOME VARCHAR(10));");
  // A draft filed before the released text of the same pair.
  catalog.addScript("QUARVESSA", "0002", "INSERT INTO NENHUMA VALUES ('rascunho');", "N");
  catalog.addScript("QUARVESSA", "0002", "INSERT INTO T VALUES ('liberado');");
  // Three released rows of one pair, the last one differing in letter case
  // only, as the catalogue compares them.
  catalog.addScript("QUARVESSA", "0003", "INSERT INTO T VALUES ('primeiro');");
  catalog.addScript("QUARVESSA", "0003", "INSERT INTO T VALUES ('segundo');");
  catalog.addScript("quarvessa", "0003", "INSERT INTO T VALUES ('terceiro');");

  std::vector<int> bar;
  QObject::connect(screen().pb1, &QProgressBar::valueChanged,
                   [&bar](int value) { bar.push_back(value); });
  run({"LOJA"});
  EXPECT_EQ(screen().Tag(), 0);
  EXPECT_TRUE(records().empty());
  EXPECT_EQ(column("LOJA", "select nome V from t order by nome"), (Lines{"liberado", "primeiro"}));
  EXPECT_EQ(version("LOJA"), "0003");
  // Five counted rows, each advancing the bar, the passed-over ones too.
  EXPECT_EQ(bar, (std::vector<int>{20, 40, 60, 80, 100}));
}

TEST_F(ScriptRunTest, AnEmptyVersionTableGetsItsRow) {
  addDatabase("LOJA");
  {
    ClientConnection client;
    client.IBDatabase1.setDatabaseName((folder.path() / "0.fdb").string());
    client.IBQuery1.setSqlText("CREATE TABLE VERSAO (VERSAO VARCHAR(10))");
    client.IBQuery1.execSql();
    client.IBTransaction2.commit();
    client.IBDatabase1.close();
  }
  catalog.addScript("QUARVESSA", "0001", "CREATE TABLE T (N INTEGER);");
  catalog.addScript("QUARVESSA", "0002", "INSERT INTO T VALUES (2);");
  run({"LOJA"});
  EXPECT_EQ(column("LOJA", "select versao V from versao"), Lines{"0002"});
  // The next run finds nothing pending instead of every script again.
  run({"LOJA"});
  EXPECT_EQ(answers->messages, Lines{});
  EXPECT_EQ(column("LOJA", "select n V from t"), Lines{"2"});
  EXPECT_EQ(screen().Tag(), 0);
}

}  // namespace
}  // namespace kelvo::test
