// The script runner against real embedded databases.
#include "scripts/ib_script.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "access/interbase/ib_client_connection.h"
#include "access/interbase/ib_error.h"
#include "access/interbase/ib_test_database.h"
#include "scripts/script_lines.h"

namespace kelvo {
namespace {

class IbScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    client.IBDatabase1.setDatabaseName(database.path());
    client.IBDatabase1.open();
  }

  // Executes SCRIPT as the script application run does.
  void run(const std::string& script) {
    runner.Script() = splitScriptLines(script);
    runner.ExecuteScript();
  }

  // Returns the error text of running SCRIPT, or "<no error>".
  std::string failureOf(const std::string& script) {
    try {
      run(script);
    } catch (const Error& error) {
      return error.what();
    }
    return "<no error>";
  }

  // Returns what a fresh transaction sees: the row count of TABLE.
  long long committedRows(const std::string& table) {
    try {
      client.IBQuery1.setSqlText("select count(*) ct from " + table);
      client.IBQuery1.open();
      const long long count = client.IBQuery1.fieldByName("ct").asInteger();
      client.IBQuery1.close();
      client.IBTransaction2.rollback();
      return count;
    } catch (const Error&) {
      // A snapshot kept after a failure would not see later commits.
      if (client.IBTransaction2.inTransaction()) client.IBTransaction2.rollback();
      throw;
    }
  }

  test::FreshDatabase database;
  ClientConnection client;
  IbScript runner{client.IBDatabase1, client.IBTransaction1};
};

TEST_F(IbScriptTest, SchemaStatementsCommitAtOnceDataStatementsWaitForTheCaller) {
  run("CREATE TABLE T (A INTEGER);\nINSERT INTO T VALUES (1);\nINSERT INTO T VALUES (2);");
  EXPECT_EQ(committedRows("T"), 0);
  EXPECT_TRUE(client.IBTransaction1.inTransaction());
  client.IBTransaction1.commit();
  EXPECT_EQ(committedRows("T"), 2);
}

TEST_F(IbScriptTest, CommitInTheMiddleCommitsAndLaterStatementsStartAgain) {
  run("CREATE TABLE T (A INTEGER);\nINSERT INTO T VALUES (1);\nCOMMIT;\nINSERT INTO T VALUES (2);");
  EXPECT_EQ(committedRows("T"), 1);
  EXPECT_TRUE(client.IBTransaction1.inTransaction());
  client.IBTransaction1.rollback();
  EXPECT_EQ(committedRows("T"), 1);
}

TEST_F(IbScriptTest, WithAutoDdlOffAFailureLeavesEarlierSchemaWorkToTheCaller) {
  const std::string error = failureOf(
      "SET AUTODDL OFF;\nCREATE TABLE A (X INTEGER);\nCREATE TABLE A (X INTEGER);\n"
      "CREATE TABLE B (X INTEGER);");
  EXPECT_NE(error.find("Table A already exists"), std::string::npos) << error;
  EXPECT_FALSE(runner.autoDdl());
  EXPECT_THROW(committedRows("A"), IbError);  // not committed yet
  client.IBTransaction1.commit();             // the run commits after a failure too
  EXPECT_EQ(committedRows("A"), 0);
  EXPECT_THROW(committedRows("B"), IbError);  // never ran
}

TEST_F(IbScriptTest, TerminatorAndSettingsCarryOverToTheNextScript) {
  run("CREATE TABLE T (A INTEGER);\nSET TERM ^ ;\nINSERT INTO T VALUES (1)^");
  EXPECT_EQ(runner.Terminator(), "^");
  // The next script's first statements run together up to a "^".
  const std::string error = failureOf("INSERT INTO T VALUES (2);\nINSERT INTO T VALUES (3);\n");
  EXPECT_NE(error.find("Token unknown"), std::string::npos) << error;
  run("SET TERM ; ^\nINSERT INTO T VALUES (4);");
  client.IBTransaction1.commit();
  EXPECT_EQ(committedRows("T"), 2);
}

TEST_F(IbScriptTest, AFailureInTheMiddleOfALineDropsTheRestOfThatLine) {
  run("CREATE TABLE T (A INTEGER);");
  const std::string error =
      failureOf("INSERT INTO T VALUES (1); INSERT INTO NOPE VALUES (1); INSERT INTO T VALUES (2);");
  EXPECT_EQ(error,
            "Dynamic SQL Error\r\nSQL error code = -204\r\nTable unknown\r\nNOPE\r\n"
            "At line 1, column 13");
  run("INSERT INTO T VALUES (3);");
  client.IBTransaction1.commit();
  EXPECT_EQ(committedRows("T"), 2);  // 1 and 3
}

TEST_F(IbScriptTest, ProcedureAndTriggerBodiesWithAndWithoutSetTerm) {
  run("CREATE TABLE T (A INTEGER, B INTEGER);\n"
      "CREATE PROCEDURE ADD_ROW (X INTEGER)\nAS\nBEGIN\n  INSERT INTO T (A) VALUES (:X);\nEND;\n"
      "\n"
      "SET TERM ^ ;\n"
      "CREATE TRIGGER T_BI FOR T BEFORE INSERT AS\nBEGIN\n  NEW.B = NEW.A * 10;\nEND^\n"
      "SET TERM ; ^\n"
      "ALTER TRIGGER T_BI INACTIVE;\n"
      "EXECUTE PROCEDURE ADD_ROW(1);\n"
      "ALTER TRIGGER T_BI ACTIVE;\n"
      "EXECUTE PROCEDURE ADD_ROW(2);\n"
      "COMMIT;");
  client.IBQuery1.setSqlText("select sum(b) s from t");
  client.IBQuery1.open();
  EXPECT_EQ(client.IBQuery1.fieldByName("s").asInteger(), 20);
  client.IBQuery1.close();
  client.IBTransaction2.rollback();
}

TEST_F(IbScriptTest, AModuleOnTheLastLineKeepsItsSemicolonAndStillRuns) {
  run("create procedure p as begin exit; end;");
  run("EXECUTE PROCEDURE P;");
}

TEST_F(IbScriptTest, ReaderErrorsEndTheExecutionWithTheirText) {
  run("CREATE TABLE T (A INTEGER);");
  EXPECT_EQ(failureOf("INSERT INTO T VALUES (1);\n-- note\nINSERT INTO T VALUES (2);"),
            "Invalid statement\r\n-- note\r\nINSERT INTO T VALUES (2)");
  EXPECT_EQ(failureOf("INSERT INTO T VALUES (3);\n/* open"), "Invalid Comment");
  client.IBTransaction1.commit();
  EXPECT_EQ(committedRows("T"), 2);  // what ran before each stop stays
}

TEST_F(IbScriptTest, SavepointsRunInTheDataTransaction) {
  run("CREATE TABLE T (A INTEGER);\nINSERT INTO T VALUES (1);\nSAVEPOINT S1;\n"
      "INSERT INTO T VALUES (2);\nrollback work to savepoint s1;\nSAVEPOINT S2;\n"
      "RELEASE SAVEPOINT S2;\nCOMMIT;");
  EXPECT_EQ(committedRows("T"), 1);
  EXPECT_EQ(failureOf("ROLLBACK WORK;"), "Invalid statement\r\nROLLBACK WORK");
}

TEST_F(IbScriptTest, BatchBlocksRunTheirStatementsAtBatchExecute) {
  run("CREATE TABLE T (A INTEGER);\nBATCH START;\nINSERT INTO T VALUES (1);\n"
      "SET TERM ^ ;\nINSERT INTO T VALUES (2)^\nSET TERM ; ^\nBATCH EXECUTE;\nCOMMIT;");
  EXPECT_EQ(committedRows("T"), 2);
  const char* batch_error =
      "Only DDL and DML (excluding Select statements) allowed within a Batch block";
  EXPECT_EQ(failureOf("BATCH START;\nCOMMIT;"), batch_error);
  EXPECT_EQ(failureOf("BATCH START;\nSELECT * FROM T;\nBATCH EXECUTE;"), batch_error);
  // A statement the reader does not recognise is invalid, inside a batch too.
  EXPECT_EQ(failureOf("BATCH START;\nINSERT INTO T VALUES (9);\nMERGE INTO T;\nBATCH EXECUTE;"),
            "Invalid statement\r\nMERGE INTO T");
  // A script that ends with its batch still open ran none of it, and says so.
  EXPECT_EQ(failureOf("BATCH START;\nINSERT INTO T VALUES (8);"), IbScript::kUnexecutedBatch);
  EXPECT_EQ(committedRows("T"), 2);
  // A new execution leaves batch mode.
  run("INSERT INTO T VALUES (3);\nCOMMIT;");
  EXPECT_EQ(committedRows("T"), 3);
}

TEST_F(IbScriptTest, DataStatementsGoUnchangedAndUnsuppliedParametersAreRefused) {
  run("CREATE TABLE T (A INTEGER);\n"
      "SET TERM ^ ;\n"
      "EXECUTE BLOCK AS DECLARE X INTEGER = 5; BEGIN INSERT INTO T VALUES (:X); END^\n"
      "SET TERM ; ^\n"
      "SELECT * FROM T;\nINSERT INTO T VALUES (6);\nCOMMIT;");
  EXPECT_EQ(committedRows("T"), 2);
  const std::string error = failureOf("DELETE FROM T WHERE A = ?;");
  EXPECT_NE(error.find("DELETE FROM T WHERE A = ?"), std::string::npos) << error;
  EXPECT_EQ(committedRows("T"), 2);
}

TEST_F(IbScriptTest, SetCommandsChangeTheRunnerSettings) {
  run("SET AUTODDL off ;\nSET STATISTICS OFF;\nSET SQL DIALECT 1;\nSET SAVEPOINTS OFF;");
  EXPECT_FALSE(runner.autoDdl());  // "off" with a blank before ";" is not "ON"
  EXPECT_FALSE(runner.statistics());
  EXPECT_EQ(runner.sqlDialect(), 1);
  EXPECT_TRUE(runner.noSavepoint());
  run("SET AUTODDL on;\nSET SAVEPOINTS ON;\nCREATE TABLE T (A INTEGER);\nINSERT INTO T VALUES "
      "(1);");
  EXPECT_TRUE(runner.autoDdl());
  EXPECT_FALSE(runner.noSavepoint());
  EXPECT_EQ(failureOf("SET SQL DIALECT X;"), "'X' is not a valid integer value");
}

TEST_F(IbScriptTest, CreateDatabaseAndConnectLastOnlyUntilTheScriptEnds) {
  const std::string other = (database.folder() / "other.fdb").string();
  run("SET SQL DIALECT 1;\nCREATE DATABASE '" + other +
      "' USER 'ROOT' PASSWORD '471806' PAGE_SIZE 4096;\nCREATE TABLE O (A INTEGER);\n"
      "INSERT INTO O VALUES (1);");
  EXPECT_NE(&runner.database(), &client.IBDatabase1);
  // The next script runs in the client database again; the other one was
  // closed, which committed its open insert.
  run("CREATE TABLE C (A INTEGER);\nINSERT INTO C VALUES (1);");
  EXPECT_EQ(&runner.database(), &client.IBDatabase1);
  EXPECT_TRUE(client.IBTransaction1.inTransaction());
  client.IBTransaction1.commit();
  EXPECT_EQ(committedRows("C"), 1);
  EXPECT_THROW(committedRows("O"), IbError);
  {
    ClientConnection reader;
    reader.IBDatabase1.setDatabaseName(other);
    reader.IBQuery1.setSqlText("select count(*) ct from o");
    reader.IBQuery1.open();
    EXPECT_EQ(reader.IBQuery1.fieldByName("ct").asInteger(), 1);
  }

  run("CONNECT '" + other + "' USER 'ROOT' PASSWORD '471806';\nINSERT INTO O VALUES (2);");
  EXPECT_FALSE(client.IBTransaction1.inTransaction());
  run("INSERT INTO C VALUES (2);\nCOMMIT;");
  EXPECT_EQ(committedRows("C"), 2);
  // SET SAVEPOINTS said under the other connection still reaches the client's.
  run("CONNECT '" + other + "' USER 'ROOT' PASSWORD '471806';\nSET SAVEPOINTS OFF;");
  run("INSERT INTO C VALUES (3);");
  EXPECT_TRUE(runner.noSavepoint());
  const auto& params = client.IBTransaction1.params();
  EXPECT_NE(std::find(params.begin(), params.end(), "no_savepoint"), params.end());
}

TEST_F(IbScriptTest, RowReturningStatementsDoTheirWorkAndRaiseTheirErrors) {
  run("CREATE TABLE T (N INTEGER);\nCREATE GENERATOR G;\nSET TERM ^ ;\n"
      "CREATE PROCEDURE WR RETURNS (X INTEGER) AS BEGIN INSERT INTO T VALUES (7); X = 1; "
      "SUSPEND; X = 2; SUSPEND; END^\n"
      "EXECUTE BLOCK RETURNS (N INTEGER) AS BEGIN INSERT INTO T VALUES (5); N = 1; SUSPEND; END^\n"
      "SET TERM ; ^\nSELECT X FROM WR;\nSELECT GEN_ID(G, 1) FROM RDB$DATABASE;\n"
      "SELECT GEN_ID(G, 1) FROM RDB$DATABASE;\nCOMMIT;");
  EXPECT_EQ(committedRows("T"), 2);  // one insert from the block, one from the procedure
  client.IBQuery1.setSqlText("select gen_id(g, 0) g from rdb$database");
  client.IBQuery1.open();
  EXPECT_EQ(client.IBQuery1.fieldByName("g").asInteger(), 2);
  client.IBQuery1.close();
  client.IBTransaction2.rollback();

  const std::string error = failureOf("SELECT 1/0 FROM RDB$DATABASE;");
  EXPECT_NE(error.find("divide by zero"), std::string::npos) << error;
  // A failure in a later row fails the statement as well.
  EXPECT_NE(failureOf("SELECT 1/(2 - N) FROM (SELECT 1 N FROM RDB$DATABASE UNION ALL "
                      "SELECT 2 FROM RDB$DATABASE);")
                .find("divide by zero"),
            std::string::npos);
}

TEST_F(IbScriptTest, DataStatementsSeeTheSchemaCommittedBeforeThem) {
  run("CREATE TABLE P (ID INTEGER);\nINSERT INTO P VALUES (1);\nALTER TABLE P ADD C CHAR(1);\n"
      "UPDATE P SET C = 'S';\nCREATE VIEW V AS SELECT ID, C FROM P;\n"
      "INSERT INTO P (ID, C) SELECT ID + 1, C FROM V;");
  client.IBTransaction1.commit();
  client.IBQuery1.setSqlText("select count(*) ct from p where c = 'S'");
  client.IBQuery1.open();
  EXPECT_EQ(client.IBQuery1.fieldByName("ct").asInteger(), 2);
  client.IBQuery1.close();
  client.IBTransaction2.rollback();
}

TEST_F(IbScriptTest, InputOfADeviceOrAHugeFileIsRefused) {
  run("CREATE TABLE T (A INTEGER);");
  EXPECT_EQ(failureOf("INSERT INTO T VALUES (1);\nINPUT '/dev/zero';\nINSERT INTO T VALUES (2);"),
            "Cannot open file \"/dev/zero\". It is not a regular file");
  const std::filesystem::path huge = database.folder() / "huge.sql";
  { std::ofstream(huge) << "INSERT INTO T VALUES (3);\n"; }
  std::filesystem::resize_file(huge, kMaxScriptFileSize + 1);  // sparse: no disk used
  EXPECT_EQ(failureOf("INPUT '" + huge.string() + "';"),
            "Cannot open file \"" + huge.string() +
                "\". It is larger than 64 MiB, too large "
                "for a script");
  client.IBTransaction1.commit();
  EXPECT_EQ(committedRows("T"), 1);
}

TEST_F(IbScriptTest, ReplacingItsOwnConnectionKeepsTheWorkOfTheOldOne) {
  const std::string first = (database.folder() / "first.fdb").string();
  const std::string second = (database.folder() / "second.fdb").string();
  run("SET SQL DIALECT 1;\nCREATE DATABASE '" + first + "' USER 'ROOT' PASSWORD '471806';\n" +
      "CREATE TABLE O (A INTEGER);\nINSERT INTO O VALUES (1);\n" + "CREATE DATABASE '" + second +
      "' USER 'ROOT' PASSWORD '471806';");
  ClientConnection reader;
  reader.IBDatabase1.setDatabaseName(first);
  reader.IBQuery1.setSqlText("select count(*) ct from o");
  reader.IBQuery1.open();
  EXPECT_EQ(reader.IBQuery1.fieldByName("ct").asInteger(), 1);
}

TEST_F(IbScriptTest, ItsOwnConnectionClosesLikeAnyOtherWhenTheRunnerGoes) {
  // After CONNECT the caller's commit of its own transaction no longer
  // reaches the runner's work; ending the runner must not throw it away.
  const std::string own = (database.folder() / "own.fdb").string();
  {
    IbScript script(client.IBDatabase1, client.IBTransaction1);
    script.Script() = splitScriptLines("SET SQL DIALECT 1;\nCREATE DATABASE '" + own +
                                       "' USER 'ROOT' PASSWORD '471806';\n"
                                       "CREATE TABLE O (A INTEGER);\nINSERT INTO O VALUES (1);");
    script.ExecuteScript();
  }
  ClientConnection reader;
  reader.IBDatabase1.setDatabaseName(own);
  reader.IBQuery1.setSqlText("select count(*) ct from o");
  reader.IBQuery1.open();
  EXPECT_EQ(reader.IBQuery1.fieldByName("ct").asInteger(), 1);
}

// A commit that fails as a lost connection does; the library's calling
// convention (stdcall on 32-bit Windows) rules out a lambda.
ISC_STATUS ISC_EXPORT failingCommit(ISC_STATUS* status, isc_tr_handle*) {
  status[0] = isc_arg_gds;
  status[1] = isc_network_error;
  status[2] = isc_arg_end;
  return isc_network_error;
}

TEST_F(IbScriptTest, AFailingCommitIsAnErrorOfTheScript) {
  auto api = std::make_shared<IbClientApi>(client.IBDatabase1.api());
  api->isc_commit_transaction = failingCommit;
  ClientConnection failing(api);
  failing.IBDatabase1.setDatabaseName(database.path());
  failing.IBDatabase1.open();
  IbScript script(failing.IBDatabase1, failing.IBTransaction1);
  script.Script() = {"CREATE TABLE T (A INTEGER);"};
  EXPECT_THROW(script.ExecuteScript(), IbError);
  // The schema transaction was rolled back: nothing of the table remains.
  EXPECT_THROW(committedRows("T"), IbError);
}

}  // namespace
}  // namespace kelvo
