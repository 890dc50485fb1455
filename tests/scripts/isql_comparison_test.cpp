// The same scripts through the runner (as the script run drives it) and
// through isql-fb must leave the same database behind; and the kelvo-script
// tool run as support staff run it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "access/interbase/ib_client_connection.h"
#include "access/interbase/ib_statement.h"
#include "access/interbase/ib_test_database.h"
#include "scripts/commit_work_lines.h"
#include "scripts/ib_script.h"
#include "scripts/script_lines.h"
#include "support/command_output.h"

namespace kelvo {
namespace {

using test::CommandResult;
using test::runCommand;

std::string quoted(const std::string& text) { return "'" + text + "'"; }

// Returns every row of SQL as "value|value|...", in the server's order.
std::vector<std::string> rowsOf(ClientConnection& client, const std::string& sql) {
  IbStatement statement(client.IBDatabase1, client.IBTransaction2);
  client.IBTransaction2.ensureStarted();
  statement.prepare(sql);
  statement.execute();
  std::vector<std::string> rows;
  while (statement.fetch()) {
    std::string row;
    for (std::size_t c = 0; c < statement.columnCount(); ++c) {
      row += (c > 0 ? "|" : "") + (statement.isNull(c) ? "<null>" : statement.asString(c));
    }
    rows.push_back(row);
  }
  return rows;
}

// Returns what a user sees of the database at PATH: its tables, views,
// columns with their types, procedures, generators with their values, and
// the contents of every table, read back through the client connection.
std::vector<std::string> contentsOf(const std::string& path) {
  ClientConnection client;
  client.IBDatabase1.setDatabaseName(path);
  client.IBDatabase1.open();
  std::vector<std::string> lines;
  const auto add = [&](const std::string& heading, const std::vector<std::string>& rows) {
    lines.push_back("== " + heading);
    lines.insert(lines.end(), rows.begin(), rows.end());
  };
  add("relations", rowsOf(client,
                          "select trim(rdb$relation_name), rdb$view_blr is null from rdb$relations "
                          "where rdb$system_flag = 0 order by 1"));
  add("columns", rowsOf(client,
                        "select trim(r.rdb$relation_name), trim(r.rdb$field_name), "
                        "r.rdb$field_position, f.rdb$field_type, f.rdb$field_length, "
                        "r.rdb$null_flag from rdb$relation_fields r join rdb$fields f on "
                        "f.rdb$field_name = r.rdb$field_source where r.rdb$system_flag = 0 "
                        "order by 1, 3"));
  add("procedures", rowsOf(client,
                           "select trim(rdb$procedure_name) from rdb$procedures "
                           "where rdb$system_flag = 0 order by 1"));
  for (const std::string& generator :
       rowsOf(client,
              "select trim(rdb$generator_name) from rdb$generators where "
              "rdb$system_flag = 0 order by 1")) {
    add("generator " + generator,
        rowsOf(client, "select gen_id(" + generator + ", 0) from rdb$database"));
  }
  for (const std::string& table :
       rowsOf(client,
              "select trim(rdb$relation_name) from rdb$relations where "
              "rdb$system_flag = 0 and rdb$view_blr is null order by 1")) {
    std::vector<std::string> rows = rowsOf(client, "select * from " + table);
    std::sort(rows.begin(), rows.end());
    add("table " + table, rows);
  }
  client.IBTransaction2.rollback();
  client.IBDatabase1.close();
  return lines;
}

// Applies SCRIPT to the database at PATH as the script run does.
void applyWithRunner(const std::string& path, const std::string& script) {
  ClientConnection client;
  client.IBDatabase1.setDatabaseName(path);
  client.IBDatabase1.open();
  {
    IbScript runner(client.IBDatabase1, client.IBTransaction1);
    runner.Script() = splitScriptLines(script);
    blankCommitWorkLines(runner.Script());
    runner.ExecuteScript();
    if (client.IBTransaction1.inTransaction()) client.IBTransaction1.commit();
  }
  client.IBDatabase1.close();
}

class IsqlComparison : public ::testing::Test {
 protected:
  // Returns the contents left by isql-fb and by the runner, after checking
  // that both applied SCRIPT without an error.
  std::pair<std::vector<std::string>, std::vector<std::string>> applyBoth(
      const std::string& script) {
    const std::string by_isql = (folder.path() / "isql.fdb").string();
    const std::string by_runner = (folder.path() / "runner.fdb").string();
    test::createDialect1Database(by_isql);
    test::createDialect1Database(by_runner);
    const auto file = folder.write("script.sql", script);
    const CommandResult isql =
        runCommand("isql-fb -q -b -i " + quoted(file.string()) + " " + quoted(by_isql));
    EXPECT_EQ(isql.code, 0) << isql.output;
    applyWithRunner(by_runner, script);
    return {contentsOf(by_isql), contentsOf(by_runner)};
  }

  test::TempFolder folder;
};

TEST_F(IsqlComparison, RowReturningStatementsDoTheSameWork) {
  const auto [isql, ours] = applyBoth(
      "CREATE TABLE T (N INTEGER);\nCREATE GENERATOR G;\nSET TERM ^ ;\n"
      "CREATE PROCEDURE WR RETURNS (X INTEGER) AS BEGIN INSERT INTO T VALUES (7); X = 1; "
      "SUSPEND; END^\n"
      "EXECUTE BLOCK RETURNS (N INTEGER) AS BEGIN INSERT INTO T VALUES (5); N = 1; SUSPEND; END^\n"
      "SET TERM ; ^\nSELECT X FROM WR;\nSELECT GEN_ID(G, 1) FROM RDB$DATABASE;\n"
      "INSERT INTO T SELECT GEN_ID(G, 10) FROM RDB$DATABASE;\n");
  EXPECT_EQ(ours, isql);
  // Not two empty databases alike: the work of every statement is there.
  const std::vector<std::string> expected = {"== generator G", "11", "== table T", "11", "5", "7"};
  EXPECT_TRUE(std::search(isql.begin(), isql.end(), expected.begin(), expected.end()) != isql.end())
      << ::testing::PrintToString(isql);
}

TEST_F(IsqlComparison, SchemaChangedBetweenDataStatementsIsAppliedWhole) {
  const auto [isql, ours] = applyBoth(
      "CREATE TABLE P (ID INTEGER);\nINSERT INTO P VALUES (1);\nALTER TABLE P ADD C CHAR(1);\n"
      "UPDATE P SET C = 'S';\nCREATE TABLE Q (ID INTEGER);\nINSERT INTO Q SELECT ID FROM P;\n"
      "CREATE VIEW V AS SELECT ID, C FROM P;\nINSERT INTO P (ID, C) SELECT ID + 1, 'N' FROM V;\n");
  EXPECT_EQ(ours, isql);
  const std::vector<std::string> expected = {"== table P", "1|S", "2|N", "== table Q", "1"};
  EXPECT_TRUE(std::search(isql.begin(), isql.end(), expected.begin(), expected.end()) != isql.end())
      << ::testing::PrintToString(isql);
}

// ---- kelvo-script --------------------------------------------------------

std::string tool() {
  const char* binary = std::getenv("KELVO_BINARY_DIR");
  return quoted(std::string(binary != nullptr ? binary : ".") + "/tools/kelvo-script/kelvo-script");
}

TEST(KelvoScript, RunsScriptsInTurnAndStopsAtTheFirstFailure) {
  test::FreshDatabase database;
  const auto first = database.folder() / "1.sql";
  const auto second = database.folder() / "2.sql";
  const auto third = database.folder() / "3.sql";
  std::FILE* f = std::fopen(first.c_str(), "w");
  std::fputs(
      "CREATE TABLE T (A INTEGER);\nSET TERM ^ ;\nINSERT INTO T VALUES (1)^\n"
      "INSERT INTO T VALUES (2)^ COMMIT WORK^\n",
      f);
  std::fclose(f);
  f = std::fopen(second.c_str(), "w");
  std::fputs("INSERT INTO T VALUES (3)^\nINSERT INTO NOPE VALUES (1)^\n", f);
  std::fclose(f);
  f = std::fopen(third.c_str(), "w");
  std::fputs("INSERT INTO T VALUES (4)^\n", f);
  std::fclose(f);
  const CommandResult result =
      runCommand(tool() + " " + quoted(database.path()) + " " + quoted(first.string()) + " " +
                 quoted(second.string()) + " " + quoted(third.string()));
  EXPECT_EQ(result.code, 1) << result.output;
  EXPECT_NE(result.output.find("Table unknown\r\nNOPE"), std::string::npos) << result.output;
  // 1 ran, 2 was blanked with its COMMIT WORK, 3 ran before the failure and
  // was committed as the run does; the third script never ran.
  EXPECT_EQ(contentsOf(database.path()),
            (std::vector<std::string>{"== relations", "T|True", "== columns", "T|A|0|8|4|<null>",
                                      "== procedures", "== table T", "1", "3"}));
  EXPECT_EQ(runCommand(tool() + " " + quoted(database.path()) + " " + quoted(third.string())).code,
            1);  // a fresh run starts with ";": "INSERT ...^" reaches the server whole
  EXPECT_EQ(runCommand(tool() + " /nonexistent/x.fdb " + quoted(third.string())).code, 1);
}

TEST(KelvoScript, CheckListsRefusedStatementsWithoutADatabase) {
  test::TempFolder folder;
  const auto good = folder.write("good.sql", "CREATE TABLE T (A INTEGER);\nCOMMIT;\n");
  const auto bad = folder.write("bad.sql",
                                "CREATE TABLE T (A INTEGER);\nRECREATE VIEW V AS "
                                "SELECT 1 FROM T;\n");
  const CommandResult clean = runCommand(tool() + " --check " + quoted(good.string()));
  EXPECT_EQ(clean.code, 0) << clean.output;
  EXPECT_EQ(clean.output, "");
  const CommandResult refused =
      runCommand(tool() + " --check " + quoted(good.string()) + " " + quoted(bad.string()));
  EXPECT_EQ(refused.code, 1);
  EXPECT_EQ(refused.output,
            bad.string() + ":2: Invalid statement\n    RECREATE VIEW V AS SELECT 1 FROM T\n");
  const CommandResult help = runCommand(tool() + " --help");
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.output.find("--check FILE..."), std::string::npos);
  EXPECT_EQ(runCommand(tool()).code, 2);
}

}  // namespace
}  // namespace kelvo
