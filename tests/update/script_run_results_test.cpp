// What the core's script run returns and leaves behind, on real databases:
// per database the scripts executed, the version kept and the failure; the
// versions a client table cannot hold; errors around the scripts.
#include <gmock/gmock.h>

#include <filesystem>

#include "update/script_run_site.h"

namespace kelvo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

constexpr const char* kStamp = "SCRIPT_ERRO_DT_05-03-2024_HR_14-07-09 ";

TEST_F(ScriptRunSite, EachDatabaseGetsItsScriptsItsVersionAndItsFailure) {
  databases.addDatabase("LOJA");
  databases.addDatabase("FILIAL");
  catalog.addScript("QUARVESSA", "0001",
                    "CREATE TABLE T (N INTEGER);\r\nINSERT INTO T VALUES (1);\r\n");
  catalog.addScript("QUARVESSA", "0002",
                    "INSERT INTO T VALUES (2);\r\nINSERT INTO NENHUMA VALUES (1);\r\n");
  catalog.addScript("QUARVESSA", "0003", "INSERT INTO T VALUES (3);\r\n");

  const ScriptRunResult result = run({"LOJA", "FILIAL"});
  EXPECT_FALSE(result.runError);
  EXPECT_TRUE(result.failed());
  ASSERT_EQ(result.databases.size(), 2u);  // a failure does not stop the next database
  for (const DatabaseResult& database : result.databases) {
    SCOPED_TRACE(database.alias);
    EXPECT_EQ(database.versionBefore, "0");  // created on first contact
    EXPECT_EQ(database.pending, 3);
    EXPECT_THAT(database.applied, ElementsAre("0001", "0002"));
    ASSERT_TRUE(database.failure);
    EXPECT_EQ(database.failure->version, "0002");
    EXPECT_THAT(database.failure->error, HasSubstr("NENHUMA"));
    EXPECT_EQ(database.failure->recordName, kStamp + std::string("M-") + database.alias + ".TXT");
    EXPECT_TRUE(std::filesystem::exists(folder.path() / database.failure->recordName));
    // What the result says is what the database holds: the failing
    // script's version, so that it is not offered again, and what the
    // data transaction held when it failed.
    EXPECT_EQ(database.recordedVersion, "0002");
    EXPECT_THAT(databases.column(database.alias, "select versao V from versao"),
                ElementsAre("0002"));
    EXPECT_THAT(databases.column(database.alias, "select n V from t order by n"),
                ElementsAre("1", "2"));
  }
  EXPECT_EQ(result.firstFailure(), &result.databases[0]);
  EXPECT_EQ(view.errorScreens.size(), 2u);
  EXPECT_THAT(view.pauses, ElementsAre(1000, 1000));
  EXPECT_EQ(view.closes, 1);
}

TEST_F(ScriptRunSite, AVersionTheClientTableCannotHoldIsRefusedBeforeItsScriptRuns) {
  const struct {
    const char* version;
    const char* why;
  } cases[] = {
      {"0002\xCE\xA9", "WINDOWS-1252"},  // an omega: no character of the code page
      {"0003\xE2\x82\xAC", ""},          // a euro sign: the code page has it
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    catalog.execute("DELETE FROM scripts");
    const std::string alias = "L" + std::to_string(&c - cases);
    databases.addDatabase(alias);
    catalog.addScript("QUARVESSA", "0001", "CREATE TABLE T (N INTEGER);\r\n");
    catalog.addScript("QUARVESSA", c.version, "CREATE TABLE RECUSADA (N INTEGER);\r\n");
    view.runErrors.clear();

    const ScriptRunResult result = run({alias});
    ASSERT_EQ(result.databases.size(), 1u);
    const DatabaseResult& database = result.databases[0];
    if (*c.why == '\0') {
      EXPECT_THAT(database.applied, ElementsAre("0001", c.version));
      EXPECT_FALSE(result.failed());
      EXPECT_THAT(databases.column(alias, "select versao V from versao"), ElementsAre(c.version));
      continue;
    }
    EXPECT_THAT(database.applied, ElementsAre("0001"));
    EXPECT_EQ(database.refusedVersion, c.version);
    EXPECT_FALSE(database.failure);
    EXPECT_TRUE(result.failed());  // the catalogue needs the maker's attention
    EXPECT_EQ(database.recordedVersion, "0001");
    EXPECT_THAT(databases.column(alias, "select versao V from versao"), ElementsAre("0001"));
    EXPECT_THAT(databases.column(alias,
                                 "select count(*) V from rdb$relations where "
                                 "rdb$relation_name = 'RECUSADA'"),
                ElementsAre("0"));
    ASSERT_EQ(view.runErrors.size(), 1u);
    EXPECT_THAT(view.runErrors[0], HasSubstr(c.why));
  }
  EXPECT_THAT(view.errorScreens, IsEmpty());  // nothing failed, nothing recorded
}

TEST_F(ScriptRunSite, ErrorsAroundTheScriptsNameTheirServerAndAreNoScriptFailure) {
  databases.addAlias("PERDIDA", (folder.path() / "missing.fdb").string());
  const ScriptRunResult lost = run({"PERDIDA"});
  ASSERT_TRUE(lost.runError);
  EXPECT_THAT(*lost.runError, StartsWith("Erro na base de dados PERDIDA (" +
                                         (folder.path() / "missing.fdb").string() + "): "));
  EXPECT_FALSE(lost.failed());

  databases.addDatabase("LOJA");
  catalog.execute("DROP TABLE scripts");
  const ScriptRunResult catalogue = run({"LOJA"});
  ASSERT_TRUE(catalogue.runError);
  EXPECT_THAT(*catalogue.runError, StartsWith("Erro no catálogo central de scripts ("));
  EXPECT_THAT(*catalogue.runError, HasSubstr(catalog.name()));
  EXPECT_FALSE(catalogue.failed());
  EXPECT_THAT(view.runErrors, ElementsAre(*lost.runError, *catalogue.runError));
}

}  // namespace
}  // namespace kelvo::test
