// The script catalogue on a real MariaDB catalogue, together with the
// version store of a real embedded client database: what is counted and
// listed, in which order, and how script texts become lines.
#include "update/script_catalogue.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "access/catalogue/alias_file.h"
#include "access/catalogue/catalog_client_library.h"
#include "access/catalogue/catalog_error.h"
#include "access/catalogue/catalog_fixture.h"
#include "access/catalogue/desembaralha.h"
#include "access/interbase/ib_client_connection.h"
#include "access/interbase/ib_test_database.h"
#include "support/services.h"
#include "update/version_store.h"

namespace kelvo {
namespace {

using Lines = std::vector<std::string>;

class ScriptCatalogueTest : public ::testing::Test {
 protected:
  ScriptCatalogueTest()
      : registry_(test::writeCatalogAliasFile(folder_, scratch_.name()).string()),
        catalog_(registry_) {
    setCatalogLogin(catalog_.Database1);
    catalog_.Database1.open();
  }

  // Returns the versions the pending list holds for PROGRAMA after VERSAO,
  // walking it as the script run does, then closes it.
  Lines listed(const std::string& programa, const std::string& versao) {
    Lines versions;
    scripts_.openPendingList(programa, versao);
    for (; !scripts_.pendingList().eof(); scripts_.pendingList().next()) {
      versions.push_back(scripts_.pendingList().fieldByName("versao").asString());
    }
    scripts_.closePendingList();
    return versions;
  }

  test::TempFolder folder_;
  test::ScratchCatalog scratch_;
  AliasFileRegistry registry_;
  CatalogConnection catalog_;
  ScriptCatalogue scripts_{catalog_};
};

TEST_F(ScriptCatalogueTest, AFreshClientDatabaseGetsEveryReleasedScriptInOrder) {
  scratch_.addScript("QUARVESSA", "0002", "INSERT INTO T VALUES (2);\r\n");
  scratch_.addScript("QUARVESSA", "0001", "CREATE TABLE T (N INTEGER);\r\nCOMMIT WORK;\r\n");
  scratch_.addScript("QUARVESSA", "0003", "not yet", "N");
  scratch_.addScript("QUARVESSA", "0004", "INSERT INTO T VALUES (4);", "s");
  scratch_.addScript("QUARVESSA", "0005", "blank flag", "");
  scratch_.addScript("QUARVESSA", "0006", "lower-case n", "n");
  scratch_.addScript("OUTRO", "0007", "another programme");

  test::FreshDatabase database;
  ClientConnection client;
  client.IBDatabase1.setDatabaseName(database.path());
  client.IBDatabase1.open();
  VersionStore store(client.IBQuery1);

  const std::string version = store.readVersion();
  ASSERT_EQ(version, "0");
  // Under the case-insensitive collation 's' releases as 'S' does.
  EXPECT_EQ(scripts_.pendingCount("QUARVESSA", version), 3);

  // The walk of one client database: list, texts, version of the last one.
  scripts_.openPendingList("QUARVESSA", version);
  std::vector<Lines> texts;
  Lines versions;
  for (; !scripts_.pendingList().eof(); scripts_.pendingList().next()) {
    versions.push_back(scripts_.pendingList().fieldByName("versao").asString());
    texts.push_back(scripts_.scriptText());
  }
  EXPECT_EQ(versions, (Lines{"0001", "0002", "0004"}));
  EXPECT_EQ(texts, (std::vector<Lines>{{"CREATE TABLE T (N INTEGER);", "COMMIT WORK;"},
                                       {"INSERT INTO T VALUES (2);"},
                                       {"INSERT INTO T VALUES (4);"}}));
  // Past the end the list still shows its last script.
  store.recordVersion(scripts_.pendingList().fieldByName("versao").asString());
  scripts_.closePendingList();
  client.IBDatabase1.close();

  EXPECT_EQ(store.readVersion(), "0004");
  EXPECT_EQ(scripts_.pendingCount("QUARVESSA", "0004"), 0);
  EXPECT_TRUE(listed("QUARVESSA", "0004").empty());
  // An empty version (a VERSAO table without rows) lists every released script.
  EXPECT_EQ(listed("QUARVESSA", ""), (Lines{"0001", "0002", "0004"}));
  EXPECT_EQ(listed("OUTRO", "0"), (Lines{"0007"}));
}

TEST_F(ScriptCatalogueTest, VersionsCompareAsText) {
  scratch_.addScript("QUARVESSA", "9", "nine");
  scratch_.addScript("QUARVESSA", "10", "ten");
  EXPECT_EQ(listed("QUARVESSA", "0"), (Lines{"10", "9"}));
  EXPECT_EQ(scripts_.pendingCount("QUARVESSA", "9"), 0);
  EXPECT_TRUE(listed("QUARVESSA", "9").empty());
  EXPECT_EQ(listed("QUARVESSA", "1"), (Lines{"10", "9"}));
}

TEST_F(ScriptCatalogueTest, ScriptTextsSplitAtEveryKindOfLineBreak) {
  scratch_.addScript("QUARVESSA", "0001", "A;\r\nB;\r\n\r\nC;\r\n");
  scratch_.addScript("QUARVESSA", "0002", "A;\nB;\n\nC;\n");
  scratch_.addScript("QUARVESSA", "0003", "A;\rB;\r\rC;");
  scratch_.addScript("QUARVESSA", "0004", "");
  scratch_.addScript("QUARVESSA", "0005", "UPDATE T SET NOME = 'Jo\xE3o';");  // ANSI "ã"
  scratch_.addScript("QUARVESSA", "0006", "first of the pair");
  scratch_.addScript("QUARVESSA", "0006", "second of the pair");
  // A draft filed later under a released pair must not take its place.
  scratch_.addScript("QUARVESSA", "0007", "released text");
  scratch_.addScript("QUARVESSA", "0007", "later draft", "N");
  // Nor one filed before it, which the catalogue returns first.
  scratch_.addScript("QUARVESSA", "0008", "earlier draft", "N");
  scratch_.addScript("QUARVESSA", "0008", "released after the draft");

  std::vector<Lines> texts;
  scripts_.openPendingList("QUARVESSA", "0");
  for (; !scripts_.pendingList().eof(); scripts_.pendingList().next()) {
    texts.push_back(scripts_.scriptText());
  }
  scripts_.closePendingList();
  const Lines three = {"A;", "B;", "", "C;"};
  ASSERT_EQ(texts.size(), 9u);
  EXPECT_EQ(texts[0], three);
  EXPECT_EQ(texts[1], three);
  EXPECT_EQ(texts[2], three);
  EXPECT_TRUE(texts[3].empty());
  EXPECT_EQ(texts[4], Lines{"UPDATE T SET NOME = 'Jo\xC3\xA3o';"});
  EXPECT_EQ(texts[5], Lines{"first of the pair"});
  EXPECT_EQ(texts[6], Lines{"first of the pair"});
  EXPECT_EQ(texts[7], Lines{"released text"});
  EXPECT_EQ(texts[8], Lines{"released after the draft"});
}

TEST_F(ScriptCatalogueTest, AnApostropheInAValueCannotChangeTheStatement) {
  scratch_.addScript("QUARVESSA", "0001", "one");
  scratch_.addScript("QUARVESSA", "0002", "two");
  scratch_.addScript("QUARVESSA", "0002'b", "quoted");
  scratch_.addScript("QUARVESSA", "0003", "three", "N");

  EXPECT_EQ(listed("QUARVESSA", "0002"), (Lines{"0002'b"}));
  // Versions crafted to reopen the condition are compared as a whole text
  // that sorts between 0001 and 0002.
  EXPECT_EQ(scripts_.pendingCount("QUARVESSA", "0001' or '1'='1"), 2);
  EXPECT_EQ(scripts_.pendingCount("QUARVESSA", "0001\\' or 1=1 -- "), 2);
  EXPECT_EQ(scripts_.pendingCount("QUAR'VESSA", "0"), 0);

  scripts_.openPendingList("QUARVESSA", "0002");
  ASSERT_FALSE(scripts_.pendingList().eof());
  EXPECT_EQ(scripts_.scriptText(), Lines{"quoted"});
  scripts_.closePendingList();
}

TEST_F(ScriptCatalogueTest, CatalogueFaultsReachTheCaller) {
  // A catalogue without the release column.
  scratch_.execute("ALTER TABLE scripts DROP COLUMN liberado");
  try {
    scripts_.pendingCount("QUARVESSA", "0");
    ADD_FAILURE() << "a catalogue without liberado was accepted";
  } catch (const CatalogError& error) {
    EXPECT_EQ(error.code(), 1054u);  // unknown column
  }
  EXPECT_THROW(scripts_.openPendingList("QUARVESSA", "0"), CatalogError);
  EXPECT_FALSE(scripts_.pendingList().active());

  // A catalogue that refuses the login.
  CatalogConnection refused(registry_);
  refused.Database1.params() = {"USER NAME=" + test::CatalogServer::published().user,
                                "PASSWORD=not the password"};
  ScriptCatalogue refused_scripts(refused);
  try {
    refused_scripts.pendingCount("QUARVESSA", "0");
    ADD_FAILURE() << "a refused login went unnoticed";
  } catch (const CatalogError& error) {
    EXPECT_EQ(error.code(), 1045u);
  }
  EXPECT_FALSE(refused.Database1.connected());
}

TEST_F(ScriptCatalogueTest, WorksOnAServerThatDemandsFullGroupBy) {
  scratch_.addScript("QUARVESSA", "0001", "one");
  // The server's own mode, as a stricter catalogue server would run.
  MYSQL* root = catalogClient().mysql_init(nullptr);
  ASSERT_TRUE(catalogClient().mysql_real_connect(root, "localhost", "root", nullptr, nullptr, 0,
                                                 test::CatalogServer::published().socket.c_str(),
                                                 0))
      << catalogClient().mysql_error(root);
  const auto run = [&](const std::string& sql) {
    EXPECT_EQ(catalogClient().mysql_real_query(root, sql.data(), sql.size()), 0)
        << catalogClient().mysql_error(root);
  };
  run("SET @kelvo_saved_mode = @@GLOBAL.sql_mode");
  run("SET GLOBAL sql_mode = CONCAT(@@GLOBAL.sql_mode, ',ONLY_FULL_GROUP_BY')");
  CatalogConnection strict(registry_);
  setCatalogLogin(strict.Database1);
  ScriptCatalogue strict_scripts(strict);
  std::int64_t count = -1;
  EXPECT_NO_THROW(count = strict_scripts.pendingCount("QUARVESSA", "0"));
  run("SET GLOBAL sql_mode = @kelvo_saved_mode");
  catalogClient().mysql_close(root);
  EXPECT_EQ(count, 1);
}

TEST_F(ScriptCatalogueTest, TheDemoCatalogueHoldsWhatItsDocumentationPromises) {
  std::ifstream seed(test::sourceFolder() + "/db/demo_seed.sql");
  std::stringstream text;
  text << seed.rdbuf();
  scratch_.execute(text.str());

  EXPECT_EQ(listed("QUARVESSA", "0"), (Lines{"0001", "0002", "0003"}));
  scripts_.openPendingList("QUARVESSA", "0001");
  EXPECT_EQ(scripts_.scriptText(),
            (Lines{"INSERT INTO DEMO_CLIENTE (ID, NOME) VALUES (1, 'Jo\xC3\xA3o');",
                   "INSERT INTO DEMO_CLIENTE (ID, NOME) VALUES (2, 'Maria');"}));
  scripts_.closePendingList();

  for (const auto& [column, password] :
       {std::pair{"senha_ftp", "quarve2026"}, std::pair{"senha_ftp2", "quarve2026b"}}) {
    catalog_.Query3.setStatement(std::string("select ") + column + " from principal");
    catalog_.Query3.open();
    EXPECT_EQ(Desembaralha(catalog_.Query3.fieldByName(column).asString()), password);
    catalog_.Query3.close();
  }
}

}  // namespace
}  // namespace kelvo
