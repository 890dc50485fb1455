// The script run through the real wait screen: what is applied, committed
// and recorded, and what a failing script leaves behind.
#include <QProgressBar>

#include "platform/files.h"
#include "screens/unit1.h"
#include "script_run_fixture.h"
#include "scripts/ib_script.h"

namespace kelvo::test {
namespace {

using Lines = std::vector<std::string>;

TEST_F(ScriptRunTest, AFreshDatabaseGetsEveryReleasedScriptInVersionOrder) {
  addDatabase("LOJA");
  catalog.addScript("QUARVESSA", "0003", "INSERT INTO T VALUES ('tres');\r\n");
  catalog.addScript("QUARVESSA", "0001", "CREATE TABLE T (NOME VARCHAR(10));\r\n");
  catalog.addScript("QUARVESSA", "0002", "INSERT INTO T VALUES ('dois');\n");
  catalog.addScript("QUARVESSA", "0004", "INSERT INTO T VALUES ('rascunho');", "N");
  catalog.addScript("OUTRO", "0005", "INSERT INTO T VALUES ('outro');");

  run({"LOJA"});
  EXPECT_EQ(screen().Tag(), 0);
  EXPECT_EQ(column("LOJA", "select nome V from t"), (Lines{"dois", "tres"}));
  EXPECT_EQ(version("LOJA"), "0003");
  EXPECT_EQ(screen().pb1->maximum(), 100);
  EXPECT_EQ(screen().pb1->value(), 100);
  EXPECT_TRUE(records().empty());
  EXPECT_TRUE(answers->errorScreens.empty());
  EXPECT_TRUE(answers->messages.empty());

  // Nothing pending on the next update: no script runs, the version stays.
  run({"LOJA"});
  EXPECT_EQ(column("LOJA", "select nome V from t"), (Lines{"dois", "tres"}));
  EXPECT_EQ(version("LOJA"), "0003");
  EXPECT_EQ(screen().pb1->value(), 100);

  // No ticked alias: nothing is opened and the screen closes at once.
  run({});
  EXPECT_EQ(screen().Tag(), 0);
}

TEST_F(ScriptRunTest, CommentOnlyScriptsCountAndCommitWorkLinesAreBlanked) {
  addDatabase("LOJA");
  catalog.addScript("QUARVESSA", "0001",
                    "CREATE TABLE T (NOME VARCHAR(10));\r\n"
                    "INSERT INTO T VALUES ('um'); COMMIT WORK;\r\n"
                    "insert into t values ('dois'); commit work;\r\n"
                    "INSERT INTO T VALUES ('tres');\r\n"
                    "COMMIT;\r\n"
                    "INSERT INTO T VALUES ('quatro');\r\n");
  catalog.addScript("QUARVESSA", "0002", "/* nada a fazer */\r\n\r\n  \r\n/* nem\r\n aqui */\r\n");
  run({"LOJA"});
  EXPECT_EQ(screen().Tag(), 0);
  // The blanked lines' inserts never ran; the script's own COMMIT and the
  // run's commit after it kept the rest.
  EXPECT_EQ(column("LOJA", "select nome V from t order by nome"), (Lines{"quatro", "tres"}));
  EXPECT_EQ(version("LOJA"), "0002");
  EXPECT_EQ(records(), Lines{}) << (records().empty() ? "" : readFile(records().front()));
}

TEST_F(ScriptRunTest, TerminatorAndAutoDdlCarryIntoTheNextScript) {
  addDatabase("LOJA");
  catalog.addScript("QUARVESSA", "0001",
                    "SET AUTODDL OFF;\r\nSET TERM ^ ;\r\nCREATE TABLE U (N INTEGER)^\r\n");
  // Runs only if "^" still ends statements; the table it creates is in the
  // data transaction, which the run commits.
  catalog.addScript("QUARVESSA", "0002",
                    "INSERT INTO U VALUES (1)^\r\nCREATE TABLE V (N INTEGER)^\r\n");
  run({"LOJA"});
  EXPECT_EQ(screen().Tag(), 0);
  EXPECT_TRUE(records().empty());
  EXPECT_EQ(column("LOJA", "select n V from u"), Lines{"1"});
  EXPECT_EQ(column("LOJA", "select count(*) V from v"), Lines{"0"});
  EXPECT_EQ(version("LOJA"), "0002");
  EXPECT_EQ(screen().IBScript1.Terminator(), "^");
  EXPECT_FALSE(screen().IBScript1.autoDdl());
}

TEST_F(ScriptRunTest, AFailingScriptIsRecordedAndTheNextDatabaseStillRuns) {
  addDatabase("LOJA");
  addDatabase("FILIAL");
  // The branch already has the table: its first script fails.
  {
    ClientConnection client;
    client.IBDatabase1.setDatabaseName((folder.path() / "1.fdb").string());
    client.IBQuery1.setSqlText("CREATE TABLE T (NOME VARCHAR(5))");
    client.IBQuery1.execSql();
    client.IBTransaction2.commit();
    client.IBDatabase1.close();
  }
  catalog.addScript("QUARVESSA", "0001",
                    "CREATE TABLE T (NOME VARCHAR(5));\r\nINSERT INTO T VALUES ('um');\r\n");
  catalog.addScript("QUARVESSA", "0002",
                    "/* carga */\r\n"
                    "INSERT INTO T VALUES ('A\xE7\xE3o');\r\n"
                    "insert into t values ('x'); Commit Work;\r\n"
                    "INSERT INTO T VALUES ('toolong12345');\r\n"
                    "INSERT INTO T VALUES ('never');\r\n");
  catalog.addScript("QUARVESSA", "0003", "INSERT INTO T VALUES ('tres');\r\n");

  run({"LOJA", "FILIAL"});
  EXPECT_EQ(screen().Tag(), 1);
  const std::string loja = std::string(kStamp) + "M-LOJA.TXT";
  const std::string filial = std::string(kStamp) + "M-FILIAL.TXT";
  EXPECT_EQ(records(), (Lines{filial, loja}));
  EXPECT_EQ(answers->errorScreens,
            (Lines{"SCRIPT EM EXECUÇÃO SALVO: " + loja, "SCRIPT EM EXECUÇÃO SALVO: " + filial}));
  EXPECT_TRUE(answers->ownedByWaitScreen);
  EXPECT_TRUE(answers->messages.empty());
  EXPECT_EQ(pauses, (std::vector<int>{1000, 1000}));
  // A failure still ends with a full bar.
  EXPECT_EQ(screen().pb1->value(), 100);

  // What ran before the failing statement was committed; the failing
  // script's version is recorded so it is not offered again.
  EXPECT_EQ(column("LOJA", "select nome V from t order by nome"),
            (Lines{"A\xC3\xA7\xC3\xA3o", "um"}));
  EXPECT_EQ(version("LOJA"), "0002");
  EXPECT_EQ(column("FILIAL", "select nome V from t"), Lines{});
  EXPECT_EQ(version("FILIAL"), "0001");

  // The record holds the header, the server's three message lines and the
  // script as executed, in the ANSI code page with CR LF after every line.
  EXPECT_EQ(readFile(folder.path() / loja),
            "/* ERRO: \r\n"
            " \r\n"
            "arithmetic exception, numeric overflow, or string truncation\r\n"
            "string right truncation\r\n"
            "expected length 5, actual 12\r\n"
            " \r\n"
            ".....  */\r\n"
            " \r\n"
            "/* carga */\r\n"
            "INSERT INTO T VALUES ('A\xE7\xE3o');\r\n"
            " \r\n"
            "INSERT INTO T VALUES ('toolong12345');\r\n"
            "INSERT INTO T VALUES ('never');\r\n");
  const std::string branch_record = readFile(folder.path() / filial);
  EXPECT_EQ(branch_record.rfind("/* ERRO: \r\n \r\n", 0), 0u);
  EXPECT_NE(branch_record.find("\r\n \r\n.....  */\r\n \r\nCREATE TABLE T (NOME VARCHAR(5));\r\n"
                               "INSERT INTO T VALUES ('um');\r\n"),
            std::string::npos)
      << branch_record;
  EXPECT_EQ(branch_record.find("carga"), std::string::npos);  // no earlier header or script

  // The start-up gate now refuses to begin.
  QStringList gate;
  TForm1::ListaArquivos("SCRIPT_ERRO*.*", gate);
  EXPECT_EQ(gate.size(), 2);

  // A second update on the same screen once the records are removed: the
  // database goes on after its failing script, and the tag stays 1.
  for (const std::string& name : records()) deleteFile(name);
  run({"LOJA"});
  EXPECT_EQ(screen().Tag(), 1);
  EXPECT_TRUE(records().empty());
  EXPECT_EQ(version("LOJA"), "0003");
  EXPECT_EQ(column("LOJA", "select nome V from t where nome = 'tres'"), Lines{"tres"});
}

}  // namespace
}  // namespace kelvo::test
