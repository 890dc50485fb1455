// Checking scripts without a database: what the reader refuses, and where.
#include "scripts/script_check.h"

#include <gtest/gtest.h>

#include "scripts/commit_work_lines.h"
#include "scripts/script_lines.h"
#include "support/temp_folder.h"

namespace kelvo {
namespace {

std::string describe(const std::vector<ScriptComplaint>& complaints) {
  std::string text;
  for (const ScriptComplaint& c : complaints) {
    text += c.source + ":" + std::to_string(c.line) + ": " + c.message + " | " + c.text + "\n";
  }
  return text;
}

TEST(ScriptChecker, ListsEveryRefusedStatementWithItsLine) {
  ScriptChecker checker;
  const auto complaints = checker.check(splitScriptLines("CREATE TABLE T (A INTEGER);\n"
                                                         "/* a comment\n   on two lines */\n"
                                                         "RECREATE TABLE U (A INTEGER);\n"
                                                         "\n"
                                                         "INSERT INTO T VALUES (1); MERGE INTO T;\n"
                                                         "-- note\n"
                                                         "INSERT INTO T VALUES (2);\n"
                                                         "SET\tTERM ^ ;\n"
                                                         "WITH X AS (SELECT 1 FROM T) SELECT 1;\n"
                                                         "/* never closed\n"
                                                         "INSERT INTO T VALUES (3);"),
                                        "001.sql");
  EXPECT_EQ(describe(complaints),
            "001.sql:4: Invalid statement | RECREATE TABLE U (A INTEGER)\n"
            "001.sql:6: Invalid statement | MERGE INTO T\n"
            "001.sql:7: Invalid statement | -- note\r\nINSERT INTO T VALUES (2)\n"
            "001.sql:9: Invalid statement | SET\tTERM ^ \n"
            "001.sql:10: Invalid statement | WITH X AS (SELECT 1 FROM T) SELECT 1\n"
            "001.sql:11: Invalid Comment | /* never closed\r\nINSERT INTO T VALUES (3);\n");
}

TEST(ScriptChecker, ReadsScriptsInTurnAsTheRunDoes) {
  test::TempFolder folder;
  const auto included =
      folder.write("included.sql", "INSERT INTO T VALUES (1);\n\nCOMMENT ON TABLE T IS 'x';\n");
  ScriptChecker checker;
  // The terminator the first script leaves in force is the second's.
  EXPECT_TRUE(checker.check({"SET TERM ^ ;", "CREATE TABLE T (A INTEGER)^"}, "1.sql").empty());
  EXPECT_EQ(describe(checker.check({"SET TERM ; ^", "RECREATE X;"}, "2.sql")),
            "2.sql:2: Invalid statement | RECREATE X\n");
  // A line with COMMIT WORK is blanked whole before the reader sees it; an
  // INPUT file's statements are named by that file and its own lines; an
  // unreadable INPUT file is listed and the check goes on.
  const std::string missing = (folder.path() / "missing.sql").string();
  EXPECT_EQ(
      describe(checker.check({"RECREATE X; commit work;", "INPUT '" + included.string() + "';",
                              "INPUT '" + missing + "';", "MERGE INTO T;"},
                             "3.sql")),
      "3.sql:1: Line holding COMMIT WORK is blanked whole, nothing else on it runs | RECREATE X; "
      "commit work;\n" +
          included.string() + ":3: Invalid statement | COMMENT ON TABLE T IS 'x'\n" +
          "3.sql:3: Cannot open file \"" + missing + "\". No such file or directory | INPUT " +
          missing + "\n" + "3.sql:4: Invalid statement | MERGE INTO T\n");
}

TEST(CommitWorkLines, BlanksTheWholeLineOnlyForOneSpaceBetweenTheWords) {
  std::vector<std::string> script = {"INSERT INTO T VALUES (1); commit Work;", "COMMIT  WORK;",
                                     "/* COMMIT WORK */", "COMMIT\tWORK;", "COMMIT;"};
  blankCommitWorkLines(script);
  EXPECT_EQ(script,
            (std::vector<std::string>{" ", "COMMIT  WORK;", " ", "COMMIT\tWORK;", "COMMIT;"}));
}

}  // namespace
}  // namespace kelvo
