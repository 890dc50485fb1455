// The client database connection against real embedded databases.
#include <gtest/gtest.h>

#include "access/interbase/ib_client_connection.h"
#include "access/interbase/ib_error.h"
#include "access/interbase/ib_test_database.h"

namespace kelvo {
namespace {

using test::FreshDatabase;

class ClientConnectionTest : public test::OpenClientDatabase {
 protected:
  // Returns the first row's COLUMN of QUERY, then closes and rolls back.
  std::string readFirst(const std::string& query, const std::string& column) {
    client.IBQuery1.setSqlText(query);
    client.IBQuery1.open();
    std::string value = client.IBQuery1.fieldByName(column).asString();
    client.IBQuery1.close();
    client.IBTransaction2.rollback();
    return value;
  }
};

TEST_F(ClientConnectionTest, VersionTableBootstrapAsTheCatalogueUsesIt) {
  client.IBQuery1.setSqlText(
      "SELECT COUNT(*) CT FROM RDB$RELATION_FIELDS where RDB$FIELD_NAME='VERSAO' AND "
      "RDB$RELATION_NAME='VERSAO'");
  client.IBQuery1.open();
  EXPECT_EQ(client.IBQuery1.fieldByName("CT").asInteger(), 0);
  // Rolling back with the probe still open closes it.
  client.IBTransaction2.rollback();
  EXPECT_FALSE(client.IBQuery1.active());

  execute("CREATE TABLE VERSAO (VERSAO VARCHAR(10));");
  execute("insert into versao (versao) values ('0');");
  // The column is reported as VERSAO and asked for as versao.
  EXPECT_EQ(readFirst("select versao from versao", "versao"), "0");

  execute("update versao set versao='0007';");
  EXPECT_EQ(readFirst("select versao from versao", "VERSAO"), "0007");
}

TEST_F(ClientConnectionTest, EmptyResultAndNullsReadAsEmptyAndZero) {
  execute("CREATE TABLE T (A VARCHAR(10), N INTEGER);");
  client.IBQuery1.setSqlText("select a, n from t");
  client.IBQuery1.open();
  EXPECT_TRUE(client.IBQuery1.active());
  EXPECT_TRUE(client.IBQuery1.eof());
  client.IBQuery1.close();

  execute("insert into t (a, n) values (null, null);");
  client.IBQuery1.setSqlText("select a, n from t");
  client.IBQuery1.open();
  EXPECT_EQ(client.IBQuery1.fieldByName("a").asString(), "");
  EXPECT_EQ(client.IBQuery1.fieldByName("n").asInteger(), 0);
  EXPECT_TRUE(client.IBQuery1.fieldByName("N").isNull());
  client.IBQuery1.next();
  EXPECT_TRUE(client.IBQuery1.eof());
  client.IBQuery1.close();
  client.IBTransaction2.rollback();
}

TEST_F(ClientConnectionTest, ValuesOfOtherTypesReadAsTextAndInteger) {
  execute("CREATE TABLE T (C CHAR(4), S SMALLINT, M NUMERIC(9,2), D DOUBLE PRECISION);");
  execute("insert into t values ('ab', -7, 12.50, 2.5);");
  client.IBQuery1.setSqlText("select c, s, m, d from t");
  client.IBQuery1.open();
  EXPECT_EQ(client.IBQuery1.fieldByName("c").asString(), "ab  ");
  EXPECT_EQ(client.IBQuery1.fieldByName("s").asInteger(), -7);
  EXPECT_EQ(client.IBQuery1.fieldByName("s").asString(), "-7");
  EXPECT_EQ(client.IBQuery1.fieldByName("m").asInteger(), 13);
  EXPECT_EQ(client.IBQuery1.fieldByName("d").asInteger(), 3);
  EXPECT_THROW(client.IBQuery1.fieldByName("c").asInteger(), Error);
  client.IBQuery1.close();
  client.IBTransaction2.rollback();
}

TEST_F(ClientConnectionTest, TransactionRules) {
  execute("CREATE TABLE T (A INTEGER);");
  EXPECT_EQ(readFirst("select count(*) ct from t", "ct"), "0");
  // open, read, close leaves the transaction active for the rollback...
  client.IBQuery1.setSqlText("select count(*) ct from t");
  client.IBQuery1.open();
  client.IBQuery1.close();
  client.IBTransaction2.rollback();
  // ...and a second rollback or a commit finds nothing to end.
  try {
    client.IBTransaction2.rollback();
    FAIL() << "second rollback accepted";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "Transaction is not active");
  }
  EXPECT_THROW(client.IBTransaction2.commit(), Error);
}

TEST_F(ClientConnectionTest, CloseCommitsEveryActiveTransaction) {
  execute("CREATE TABLE T (A INTEGER);");
  client.IBQuery1.setSqlText("insert into t values (1);");
  client.IBQuery1.execSql();
  ASSERT_TRUE(client.IBTransaction2.inTransaction());
  client.IBQuery1.setSqlText("select a from t");
  client.IBQuery1.open();
  client.IBDatabase1.close();
  EXPECT_FALSE(client.IBQuery1.active());
  EXPECT_FALSE(client.IBTransaction2.inTransaction());
  EXPECT_FALSE(client.IBDatabase1.connected());
  client.IBDatabase1.close();  // closing a closed connection does nothing

  // open() on the query attaches the closed connection again.
  EXPECT_EQ(readFirst("select count(*) ct from t", "ct"), "1");
  EXPECT_TRUE(client.IBDatabase1.connected());
}

TEST_F(ClientConnectionTest, NameRulesAndMissingField) {
  client.IBDatabase1.open();  // opening an open connection does nothing
  client.IBDatabase1.setDatabaseName(database.path());
  try {
    client.IBDatabase1.setDatabaseName(database.path() + ".other");
    FAIL() << "name changed while open";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "Cannot perform operation -- DB is currently open");
  }
  client.IBQuery1.setSqlText("select 1 as one from rdb$database");
  client.IBQuery1.open();
  try {
    client.IBQuery1.fieldByName("two");
    FAIL() << "missing field found";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "IBQuery1: Field 'two' not found");
  }
  client.IBDatabase1.close();
  client.IBDatabase1.setDatabaseName("");
  try {
    client.IBDatabase1.open();
    FAIL() << "opened without a name";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "Database name is missing");
  }
}

TEST_F(ClientConnectionTest, ServerErrorsAreTheirLinesWithoutFinalFullStop) {
  client.IBQuery1.setSqlText("select * from NOSUCHTABLE");
  try {
    client.IBQuery1.open();
    FAIL() << "unknown table accepted";
  } catch (const IbError& error) {
    EXPECT_STREQ(error.what(),
                 "Dynamic SQL Error\r\nSQL error code = -204\r\nTable unknown\r\nNOSUCHTABLE\r\n"
                 "At line 1, column 15");
    EXPECT_EQ(error.sqlCode(), -204);
  }
  client.IBDatabase1.close();
  client.IBDatabase1.setDatabaseName((database.folder() / "missing.fdb").string());
  try {
    client.IBDatabase1.open();
    FAIL() << "missing file attached";
  } catch (const IbError& error) {
    const std::string text = error.what();
    EXPECT_NE(text.find("missing.fdb"), std::string::npos) << text;
    EXPECT_NE(text.back(), '.');
    EXPECT_FALSE(client.IBDatabase1.connected());
  }
}

TEST_F(ClientConnectionTest, ANewStatementClosesTheOldResult) {
  client.IBQuery1.setSqlText("select 1 a from rdb$database");
  client.IBQuery1.open();
  // Opening after a new statement runs it, instead of reading the old rows.
  client.IBQuery1.setSqlText("select 2 b from rdb$database");
  EXPECT_FALSE(client.IBQuery1.active());
  client.IBQuery1.open();
  EXPECT_EQ(client.IBQuery1.fieldByName("b").asInteger(), 2);
  client.IBTransaction2.rollback();
}

TEST_F(ClientConnectionTest, StatementsThatWouldRunOtherThanWrittenAreRefused) {
  execute("CREATE TABLE T (A INTEGER);");
  execute("insert into t values (1);");
  // Nothing here supplies parameter values: refuse rather than run with nulls.
  client.IBQuery1.setSqlText("delete from t where a = ?");
  EXPECT_THROW(client.IBQuery1.execSql(), Error);
  // A NUL would cut the statement short: "delete from t" alone.
  client.IBQuery1.setSqlText(std::string("delete from t\0 where a = 2", 26));
  EXPECT_THROW(client.IBQuery1.execSql(), Error);
  client.IBTransaction2.rollback();
  EXPECT_EQ(readFirst("select count(*) ct from t", "ct"), "1");
}

TEST(ClientLibraryTest, MissingLibraryNamesTheFile) {
  try {
    loadIbClientLibrary("libkelvo-no-such-client.so");
    FAIL() << "missing library loaded";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(),
                 "InterBase library libkelvo-no-such-client.so not found in the path. Please "
                 "install InterBase to use this functionality");
  }
}

}  // namespace
}  // namespace kelvo
