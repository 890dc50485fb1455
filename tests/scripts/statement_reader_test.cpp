// The statement reader: how scripts divide into statements, tokens and kinds.
#include "scripts/statement_reader.h"

#include <gtest/gtest.h>

#include <map>

#include "scripts/script_lines.h"
#include "scripts/statement_classifier.h"

namespace kelvo {
namespace {

// Returns one line per delivered statement, "kind|text" with CR LF shown as
// "\n", and "error|message" for a reader error, which ends the reading.
std::vector<std::string> readAll(StatementReader& reader, const std::string& script) {
  const std::vector<std::string> lines = splitScriptLines(script);
  std::vector<std::string> out;
  reader.start(lines);
  const auto shown = [](std::string text) {
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, "\n");
    return text;
  };
  try {
    while (auto statement = reader.next()) {
      out.push_back(std::string(statementKindName(statement->kind)) + "|" + shown(statement->text));
    }
  } catch (const StatementReaderError& error) {
    out.push_back(std::string("error|") + error.what());
  }
  return out;
}

std::vector<std::string> readAll(const std::string& script, const std::string& terminator = ";") {
  StatementReader reader;
  reader.setTerminator(terminator);
  return readAll(reader, script);
}

std::vector<std::string> tokensOf(const std::string& script) {
  StatementReader reader;
  const std::vector<std::string> lines = splitScriptLines(script);
  reader.start(lines);
  auto statement = reader.next();
  return statement ? statement->tokens : std::vector<std::string>{"<nothing>"};
}

using Lines = std::vector<std::string>;

struct ReadCase {
  const char* what;
  const char* script;
  Lines expected;
};

class ReadsScripts : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadsScripts, IntoStatements) {
  EXPECT_EQ(readAll(GetParam().script), GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Terminators, ReadsScripts,
    ::testing::Values(
        ReadCase{
            "in a string", "INSERT INTO T VALUES (';');", {"stmtDML|INSERT INTO T VALUES (';')"}},
        ReadCase{"in a quoted name",
                 "CREATE TABLE \"A;B\" (X INTEGER);",
                 {"stmtDDL|CREATE TABLE \"A;B\" (X INTEGER)"}},
        ReadCase{"in a comment",
                 "INSERT INTO T /* ; */ VALUES (1);",
                 {"stmtDML|INSERT INTO T /* ; */ VALUES (1)"}},
        ReadCase{"in a string over two lines",
                 "INSERT INTO T VALUES ('a;\nb;');",
                 {"stmtDML|INSERT INTO T VALUES ('a;\nb;')"}},
        ReadCase{"doubled apostrophes keep the string",
                 "INSERT INTO T VALUES ('it''s;');",
                 {"stmtDML|INSERT INTO T VALUES ('it''s;')"}},
        ReadCase{"two on one line",
                 "DROP TABLE A;DROP TABLE B; ",
                 {"stmtDDL|DROP TABLE A", "stmtDDL|DROP TABLE B"}},
        ReadCase{"inside a word", "DELETE FROM A;B;", {"stmtDML|DELETE FROM A", "stmtERR|B"}},
        ReadCase{"last without terminator",
                 "DELETE FROM A;\nDELETE FROM B\n  WHERE X = 1",
                 {"stmtDML|DELETE FROM A", "stmtDML|DELETE FROM B\n  WHERE X = 1"}},
        ReadCase{"blank lines between",
                 "\n  \n\t\nDELETE FROM A;\n\n\nDELETE FROM B;",
                 {"stmtDML|DELETE FROM A", "stmtDML|DELETE FROM B"}}));

INSTANTIATE_TEST_SUITE_P(
    Comments, ReadsScripts,
    ::testing::Values(ReadCase{"own lines ahead are dropped",
                               "/* one\n two ; */\n/* three */ DELETE FROM A;",
                               {"stmtDML|DELETE FROM A"}},
                      ReadCase{"inside stays in the text",
                               "DELETE /* x */ FROM A;",
                               {"stmtDML|DELETE /* x */ FROM A"}},
                      ReadCase{"only comments and blanks", "/* a */\n\n  /* b\n */\n", {}},
                      ReadCase{"unclosed ahead",
                               "DELETE FROM A;\n/* never closed\nDELETE FROM B;",
                               {"stmtDML|DELETE FROM A", "error|Invalid Comment"}},
                      ReadCase{"line comment ahead is not understood",
                               "-- note\nDELETE FROM A;",
                               {"stmtERR|-- note\nDELETE FROM A"}},
                      ReadCase{"closing in a string ahead still closes",
                               "/* '*/ DELETE FROM A;",
                               {"stmtDML|DELETE FROM A"}}));

INSTANTIATE_TEST_SUITE_P(
    Modules, ReadsScripts,
    ::testing::Values(
        ReadCase{"procedure body without SET TERM",
                 "CREATE PROCEDURE P\nAS\nBEGIN\n  EXIT;\nEND;\n\nDELETE FROM A;",
                 {"stmtDDL|CREATE PROCEDURE P\nAS\nBEGIN\n  EXIT;\nEND", "stmtDML|DELETE FROM A"}},
        ReadCase{"END; as the very last line keeps its semicolon",
                 "create procedure p as begin exit; end;",
                 {"stmtDDL|create procedure p as begin exit; end;"}},
        ReadCase{"CREATE OR ALTER is no module",
                 "CREATE OR ALTER PROCEDURE P AS BEGIN EXIT; END;\n",
                 {"stmtDDL|CREATE OR ALTER PROCEDURE P AS BEGIN EXIT", "stmtERR|END"}},
        ReadCase{"trigger switch",
                 "ALTER TRIGGER T1 ACTIVE;\nDELETE FROM A;",
                 {"stmtDDL|ALTER TRIGGER T1 ACTIVE", "stmtDML|DELETE FROM A"}},
        ReadCase{"trigger switch off",
                 "alter trigger t1 inactive;\n\n",
                 {"stmtDDL|alter trigger t1 inactive"}},
        ReadCase{"trigger body in lower case",
                 "create trigger t for a before insert as begin new.x = 1; end;\n ",
                 {"stmtDDL|create trigger t for a before insert as begin new.x = 1; end"}},
        ReadCase{"the statement after END; on the same line stays whole",
                 "CREATE PROCEDURE P AS BEGIN EXIT; END; DELETE FROM A;",
                 {"stmtDDL|CREATE PROCEDURE P AS BEGIN EXIT; END;", "stmtDML|DELETE FROM A"}},
        ReadCase{
            "with SET TERM the body ends at the terminator",
            "SET TERM ^ ;\nCREATE PROCEDURE P AS BEGIN EXIT; END^\nSET TERM ; ^\nDELETE FROM A;",
            {"stmtTERM|SET TERM ^ ", "stmtDDL|CREATE PROCEDURE P AS BEGIN EXIT; END",
             "stmtTERM|SET TERM ; ", "stmtDML|DELETE FROM A"}}));

INSTANTIATE_TEST_SUITE_P(
    Words, ReadsScripts,
    ::testing::Values(
        ReadCase{"COMMIT work; is a commit", "COMMIT work;", {"stmtCOMMIT|COMMIT work"}},
        ReadCase{"COMMIT work ; is not", "COMMIT work ;", {"stmtERR|COMMIT work "}},
        ReadCase{"COMMIT with an unknown word", "COMMIT FOO;", {"stmtERR|COMMIT FOO"}},
        ReadCase{"first words joined by a tab",
                 "INSERT\tINTO A VALUES (1);",
                 {"stmtERR|INSERT\tINTO A VALUES (1)"}},
        ReadCase{"SET TERM missing a word", "SET TERM;", {"stmtERR|SET TERM"}},
        ReadCase{"SET TERM with a word too many", "SET TERM ^ X;", {"stmtERR|SET TERM ^ X"}},
        ReadCase{"SET text is its words from the second on",
                 "set  autoddl\n off;",
                 {"stmtSET|autoddl OFF"}},
        ReadCase{"unknown first word",
                 "RECREATE TABLE A (X INTEGER);",
                 {"stmtERR|RECREATE TABLE A (X INTEGER)"}}));

TEST(StatementReaderTokens, AreTrimmedWordsWithTheLastUpperCased) {
  EXPECT_EQ(tokensOf("insert into\n  t values ('a b', \"c d\")x;"),
            (Lines{"insert", "into", "t", "values", "('a b'", ",", "\"c d\"", ")X"}));
  EXPECT_EQ(tokensOf("COMMIT work;"), (Lines{"COMMIT", "WORK"}));
  EXPECT_EQ(tokensOf("CREATE PROCEDURE P AS BEGIN EXIT; END;\nX"),
            (Lines{"CREATE", "PROCEDURE", "P", "AS", "BEGIN", "EXIT;", "END", ";"}));
  EXPECT_EQ(tokensOf("ALTER TRIGGER T ACTIVE;\n"), (Lines{"ALTER", "TRIGGER", "T", "ACTIVE", ";"}));
}

TEST(StatementReaderTerm, SwitchesTheTerminatorForLaterExecutions) {
  StatementReader reader;
  // The terminator is compared exactly: "go" does not end a statement.
  EXPECT_EQ(readAll(reader, "set term go;\nDELETE FROM A go\nWHERE 1=1 GO"),
            (Lines{"stmtTERM|set term go", "stmtDML|DELETE FROM A go\nWHERE 1=1 "}));
  EXPECT_EQ(reader.terminator(), "GO");
  EXPECT_EQ(readAll(reader, "DELETE FROM A;\nDELETE FROM B;GO"),
            (Lines{"stmtDML|DELETE FROM A;\nDELETE FROM B;"}));
  EXPECT_EQ(readAll(reader, "SET TERM !! GO DELETE FROM A!!"),
            (Lines{"stmtTERM|SET TERM !! ", "stmtDML|DELETE FROM A"}));
  EXPECT_THROW(reader.setTerminator(""), Error);
}

TEST(StatementReaderStop, DeliversNothingMoreUntilStartedAgain) {
  StatementReader reader;
  const Lines script{"DELETE FROM A;", "DELETE FROM B;"};
  reader.start(script);
  ASSERT_TRUE(reader.next());
  reader.stop();
  EXPECT_FALSE(reader.next());
  reader.start(script);
  EXPECT_EQ(reader.next()->text, "DELETE FROM A");
}

TEST(StatementReaderInput, ReadsTheFileBeforeTheRestOfTheScript) {
  std::map<std::string, std::string> files{
      {"first.sql", "DELETE FROM F1;\nINPUT second.sql;\nDELETE FROM F2;"},
      {"SECOND.SQL", "DELETE FROM S;"},
      {"self.sql", "INPUT self.sql ;"},
  };
  StatementReader reader;
  reader.setInputFileLoader([&](const std::string& name) {
    auto found = files.find(name);
    if (found == files.end()) throw Error("Cannot open file \"" + name + "\"");
    return splitScriptLines(found->second);
  });
  // The file name is the last token, upper-cased unless a blank precedes the
  // terminator; quotes around it are removed.
  EXPECT_EQ(readAll(reader, "INPUT 'first.sql' ;\nDELETE FROM AFTER;"),
            (Lines{"stmtDML|DELETE FROM F1", "stmtDML|DELETE FROM S", "stmtDML|DELETE FROM F2",
                   "stmtDML|DELETE FROM AFTER"}));
  EXPECT_EQ(readAll(reader, "DELETE FROM A;\nINPUT \"missing.sql\" ;\nDELETE FROM B;"),
            (Lines{"stmtDML|DELETE FROM A", "error|Cannot open file \"missing.sql\""}));
  EXPECT_EQ(readAll(reader, "INPUT self.sql ;"),
            (Lines{"error|INPUT files nested too deeply: self.sql"}));
}

TEST(StatementReaderInput, ReportsAFileThatCannotBeRead) {
  StatementReader reader;
  const auto result = readAll(reader, "INPUT /nonexistent/kelvo/x.sql ;");
  ASSERT_EQ(result.size(), 1u);
  EXPECT_EQ(result[0].rfind("error|Cannot open file \"/nonexistent/kelvo/x.sql\".", 0), 0u)
      << result[0];
}

struct KindCase {
  Lines tokens;
  StatementKind kind;
};

class ClassifiesTokens : public ::testing::TestWithParam<KindCase> {};

TEST_P(ClassifiesTokens, ByTheTable) {
  EXPECT_EQ(statementKindName(classifyStatement(GetParam().tokens)),
            std::string(statementKindName(GetParam().kind)));
}

using K = StatementKind;
INSTANTIATE_TEST_SUITE_P(
    Table, ClassifiesTokens,
    ::testing::Values(
        KindCase{{}, K::stmtEMPTY}, KindCase{{"commit"}, K::stmtCOMMIT},
        KindCase{{"COMMIT", "RETAINING"}, K::stmtCOMMITRetaining},
        KindCase{{"COMMIT", "retaining"}, K::stmtERR},
        KindCase{{"COMMIT", "WORK", "X"}, K::stmtCOMMIT}, KindCase{{"Rollback"}, K::stmtROLLBACK},
        KindCase{{"ROLLBACK", "RETAINING"}, K::stmtROLLBACKRetaining},
        KindCase{{"ROLLBACK", "WORK"}, K::stmtERR},
        KindCase{{"rollback", "to", "sp1"}, K::stmtRollbackSavePoint},
        KindCase{{"ROLLBACK", "TO", "SAVEPOINT", "SP1"}, K::stmtRollbackSavePoint},
        KindCase{{"ROLLBACK", "WORK", "TO", "SAVEPOINT", "SP1"}, K::stmtRollbackSavePoint},
        KindCase{{"ROLLBACK", "WORK", "TO", "SP1"}, K::stmtRollbackSavePoint},
        KindCase{{"ROLLBACK", "TO", "A", "B"}, K::stmtERR},
        KindCase{{"ROLLBACK", "FOO", "BAR"}, K::stmtERR}, KindCase{{"RECONNECT"}, K::stmtReconnect},
        KindCase{{"savepoint", "x"}, K::stmtStartSavepoint}, KindCase{{"INSERT"}, K::stmtERR},
        KindCase{{"batch", "start"}, K::stmtBatchStart},
        KindCase{{"BATCH", "EXECUTE"}, K::stmtBatchExecute}, KindCase{{"BATCH", "GO"}, K::stmtERR},
        KindCase{{"RELEASE", "SAVEPOINT", "X"}, K::stmtReleaseSavePoint},
        KindCase{{"RELEASE", "X"}, K::stmtERR}, KindCase{{"execute", "procedure"}, K::stmtDML},
        KindCase{{"select", "1"}, K::stmtDML}, KindCase{{"INPUT", "x"}, K::stmtINPUT},
        KindCase{{"CONNECT", "x"}, K::stmtCONNECT},
        KindCase{{"create", "database", "'x'"}, K::stmtCREATE},
        KindCase{{"CREATE", "SCHEMA", "'x'"}, K::stmtCREATE},
        KindCase{{"DROP", "DATABASE"}, K::stmtDrop}, KindCase{{"DROP", "TABLE", "X"}, K::stmtDDL},
        KindCase{{"declare", "external"}, K::stmtDDL}, KindCase{{"GRANT", "ALL"}, K::stmtDDL},
        KindCase{{"SET", "GENERATOR", "G", "TO", "1"}, K::stmtDDL},
        KindCase{{"SET", "STATISTICS", "INDEX", "I"}, K::stmtDDL},
        KindCase{{"SET", "STATISTICS", "INDEX"}, K::stmtDDL},
        KindCase{{"SET", "STATISTICS", "ON"}, K::stmtSET},
        KindCase{{"SET", "STATISTICS", "ON", "X"}, K::stmtERR},
        KindCase{{"SET", "TERM", "^"}, K::stmtTERM},
        KindCase{{"SET", "SQL", "DIALECT", "1"}, K::stmtSET},
        KindCase{{"SET", "SQL", "DIALECT"}, K::stmtERR},
        KindCase{{"set", "autoddl", "off"}, K::stmtSET},
        KindCase{{"SET", "NAMES", "WIN1252"}, K::stmtSET},
        KindCase{{"SET", "SAVEPOINTS", "OFF"}, K::stmtSET},
        KindCase{{"SET", "PASSWORD", "x"}, K::stmtServerSET},
        KindCase{{"SET", "BLOB", "ALL"}, K::stmtERR}, KindCase{{"MERGE", "INTO"}, K::stmtERR},
        KindCase{{"WITH", "X"}, K::stmtERR}));

TEST(ScriptLines, SplitAtEveryKindOfLineBreak) {
  EXPECT_EQ(splitScriptLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(splitScriptLines("a\n\nb\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(splitScriptLines(""), Lines{});
}

}  // namespace
}  // namespace kelvo
