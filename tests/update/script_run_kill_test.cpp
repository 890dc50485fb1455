// An update killed (SIGKILL) right after a script committed, then run again:
// the committed script keeps its version and is not applied twice. A test
// program of its own, so that the killed child is forked from a process
// that has not yet loaded the client library.
#include <gmock/gmock.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "access/interbase/ib_test_database.h"
#include "update/script_run_site.h"

namespace kelvo::test {
namespace {

using ::testing::ElementsAre;

TEST_F(ScriptRunSite, AKillAfterAScriptCommittedDoesNotApplyItAgain) {
  const std::string location = (folder.path() / "loja.fdb").string();
  databases.addAlias("LOJA", location);
  // A table without a primary key: a script applied twice doubles its rows.
  catalog.addScript("QUARVESSA", "0001",
                    "CREATE TABLE T (N INTEGER);\r\nINSERT INTO T VALUES (1);\r\n"
                    "INSERT INTO T VALUES (2);\r\nINSERT INTO T VALUES (3);\r\n");
  catalog.addScript("QUARVESSA", "0002", "INSERT INTO T VALUES (4);\r\n");

  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    // The child dies the moment the first script has committed.
    view.onProgress = [](int) { raise(SIGKILL); };
    createDialect1Database(location);
    run({"LOJA"});
    _exit(0);  // not reached when the kill came
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "status " << status;
  EXPECT_THAT(databases.column("LOJA", "select versao V from versao"), ElementsAre("0001"));

  const ScriptRunResult again = run({"LOJA"});
  ASSERT_EQ(again.databases.size(), 1u);
  EXPECT_FALSE(again.failed());
  EXPECT_THAT(again.databases[0].applied, ElementsAre("0002"));
  EXPECT_THAT(databases.column("LOJA", "select count(*) V from t"), ElementsAre("4"));
  EXPECT_THAT(databases.column("LOJA", "select versao V from versao"), ElementsAre("0002"));
}

}  // namespace
}  // namespace kelvo::test
