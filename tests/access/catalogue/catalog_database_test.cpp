// The central catalogue connection and its queries against a real MariaDB
// server: login replacement, refusals, and the cursor and field rules.
#include "access/catalogue/catalog_database.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "access/catalogue/alias_file.h"
#include "access/catalogue/catalog_error.h"
#include "access/catalogue/catalog_fixture.h"
#include "access/catalogue/catalog_login.h"
#include "access/catalogue/catalog_query.h"
#include "support/services.h"

namespace kelvo {
namespace {

using ::testing::HasSubstr;

class CatalogDatabaseTest : public ::testing::Test {
 protected:
  CatalogDatabaseTest()
      : registry_(test::writeCatalogAliasFile(folder_, catalog_.name()).string()),
        database_(registry_) {
    setCatalogLogin(database_);
  }

  test::TempFolder folder_;
  test::ScratchCatalog catalog_;
  AliasFileRegistry registry_;
  CatalogDatabase database_;
};

TEST_F(CatalogDatabaseTest, OpensWithTheStoredLoginInPlaceOfTheAliasOwn) {
  EXPECT_FALSE(database_.connected());
  database_.open();
  ASSERT_TRUE(database_.connected());
  database_.open();  // already open: nothing happens
  CatalogQuery query(database_, "Query3");
  query.setStatement("select current_user() who, database() db");
  query.open();
  const test::CatalogServer server = test::CatalogServer::published();
  EXPECT_THAT(query.fieldByName("WHO").asString(), ::testing::StartsWith(server.user + "@"));
  EXPECT_EQ(query.fieldByName("db").asString(), catalog_.name());
  query.close();
  database_.close();
  EXPECT_FALSE(database_.connected());
}

TEST_F(CatalogDatabaseTest, EveryFailureToConnectIsAnError) {
  database_.params() = {"USER NAME=" + test::CatalogServer::published().user, "PASSWORD=wrong"};
  try {
    database_.open();
    ADD_FAILURE() << "a wrong password was accepted";
  } catch (const CatalogError& error) {
    EXPECT_EQ(error.code(), 1045u);
    EXPECT_THAT(error.what(), HasSubstr("Access denied"));
  }
  EXPECT_FALSE(database_.connected());

  // The alias's own user has no account: only the replacement login works.
  database_.params().clear();
  EXPECT_THROW(database_.open(), CatalogError);

  CatalogDatabase unknown_alias(registry_, "Nowhere");
  EXPECT_THROW(unknown_alias.open(), AliasError);

  const auto closed_port = folder_.write(
      "closed.ini", "[Check]\nDRIVER=MYSQL\nSERVER NAME=127.0.0.1\nPORT=1\nCONNECT TIMEOUT=5\n");
  AliasFileRegistry closed_registry(closed_port.string());
  CatalogDatabase unreachable(closed_registry);
  setCatalogLogin(unreachable);
  EXPECT_THROW(unreachable.open(), CatalogError);
  EXPECT_FALSE(unreachable.connected());
}

TEST_F(CatalogDatabaseTest, QueriesWalkRowsAndReadFieldsByTheNullRules) {
  catalog_.execute(
      "CREATE TABLE t (n INT NULL, s VARCHAR(10) NULL, b BLOB NULL, d DECIMAL(6,2) NULL)");
  catalog_.grantRead("t");
  catalog_.execute(
      "INSERT INTO t VALUES (1, 'um', X'4A6FE36F', 2.5), (NULL, NULL, NULL, NULL), "
      "(3, '42', '', -1.5)");
  CatalogQuery query(database_, "Query2");  // opens the connection on demand
  query.setStatement("select n, s, b, d from t order by n is null, n");
  query.open();
  ASSERT_TRUE(query.active());
  ASSERT_FALSE(query.eof());
  EXPECT_EQ(query.fieldByName("N").asInteger(), 1);
  EXPECT_EQ(query.fieldByName("s").asString(), "um");
  EXPECT_EQ(query.fieldByName("b").asString(), "Jo\xC3\xA3o");  // ANSI bytes become UTF-8
  EXPECT_EQ(query.fieldByName("b").asBytes(), "Jo\xE3o");
  EXPECT_EQ(query.fieldByName("d").asInteger(), 2);  // ties go to the even neighbour
  EXPECT_THROW(query.fieldByName("s").asInteger(), Error);
  query.next();
  EXPECT_EQ(query.fieldByName("s").asString(), "42");
  EXPECT_EQ(query.fieldByName("s").asInteger(), 42);
  EXPECT_EQ(query.fieldByName("b").asString(), "");
  EXPECT_EQ(query.fieldByName("d").asInteger(), -2);
  EXPECT_FALSE(query.fieldByName("b").isNull());
  query.next();
  EXPECT_FALSE(query.eof());
  EXPECT_TRUE(query.fieldByName("n").isNull());
  EXPECT_EQ(query.fieldByName("n").asInteger(), 0);
  EXPECT_EQ(query.fieldByName("s").asString(), "");
  query.next();
  EXPECT_TRUE(query.eof());
  // Past the end the last row stays current.
  EXPECT_TRUE(query.fieldByName("n").isNull());
  query.next();
  EXPECT_TRUE(query.eof());

  try {
    query.fieldByName("versao");
    ADD_FAILURE() << "missing column found";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "Query2: Field 'versao' not found");
  }
  query.close();
  EXPECT_FALSE(query.active());
  EXPECT_THROW(query.fieldByName("n"), Error);

  query.setStatement("select n from t where n > 100");
  query.open();
  EXPECT_TRUE(query.eof());
  EXPECT_EQ(query.fieldByName("n").asInteger(), 0);
  EXPECT_EQ(query.sql(), std::vector<std::string>{"select n from t where n > 100"});
}

TEST_F(CatalogDatabaseTest, StatementFailuresReachTheCaller) {
  CatalogQuery query(database_, "Query3");
  query.setStatement("select ct from no_such_table");
  try {
    query.open();
    ADD_FAILURE() << "unknown table accepted";
  } catch (const CatalogError& error) {
    // The catalogue login reads scripts and principal only: any other
    // table, there or not, is refused to it.
    EXPECT_EQ(error.code(), 1142u);
  }
  EXPECT_FALSE(query.active());

  query.setStatement("do 1");
  EXPECT_THROW(query.open(), Error);
  EXPECT_FALSE(query.active());

  // One statement per open: a second one is refused by the server.
  query.setStatement("select 1 x; drop table scripts");
  EXPECT_THROW(query.open(), CatalogError);
  query.setStatement("select count(*) ct from scripts");
  query.open();
  EXPECT_EQ(query.fieldByName("ct").asInteger(), 0);
}

TEST_F(CatalogDatabaseTest, ClosingTheConnectionClosesItsQueries) {
  CatalogQuery first(database_, "Query2");
  CatalogQuery second(database_, "Query3");
  first.setStatement("select 1 x");
  second.setStatement("select 2 y");
  first.open();
  second.open();
  database_.close();
  EXPECT_FALSE(first.active());
  EXPECT_FALSE(second.active());
  second.open();  // reopens the connection
  EXPECT_EQ(second.fieldByName("y").asInteger(), 2);
}

TEST_F(CatalogDatabaseTest, ANewStatementIsRunEvenWhenTheQueryWasLeftOpen) {
  // A caller that failed between open and close leaves the query open; the
  // next caller's statement must still be the one that runs.
  CatalogQuery query(database_, "Query3");
  query.setStatement("select 'old' senha_ftp");
  query.open();
  query.setStatement("select 7 ct");
  EXPECT_FALSE(query.active());
  query.open();
  EXPECT_EQ(query.fieldByName("ct").asInteger(), 7);
}

TEST_F(CatalogDatabaseTest, ABackslashIsAnOrdinaryCharacterInText) {
  // Doubling apostrophes is what keeps a value inside its quotes; that only
  // holds while a backslash escapes nothing.
  CatalogQuery query(database_, "Query3");
  query.setStatement("select 'a\\'' or 1=1 -- ' v");
  query.open();
  EXPECT_EQ(query.fieldByName("v").asString(), "a\\' or 1=1 -- ");
}

}  // namespace
}  // namespace kelvo
