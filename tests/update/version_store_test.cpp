// The version table of real embedded client databases: bootstrap, empty and
// two-row tables, a version with an apostrophe, and a table without the column.
#include "update/version_store.h"

#include <gtest/gtest.h>

#include "access/interbase/ib_client_connection.h"
#include "access/interbase/ib_error.h"
#include "access/interbase/ib_test_database.h"

namespace kelvo {
namespace {

class VersionStoreTest : public test::OpenClientDatabase {
 protected:
  // Returns every VERSAO value, in the order the database returns them.
  std::vector<std::string> rows() {
    return test::columnOf(client, "select versao from versao", "versao");
  }

  VersionStore store{client.IBQuery1};
};

TEST_F(VersionStoreTest, AFreshDatabaseGetsTheTableWithVersionZero) {
  EXPECT_EQ(store.readVersion(), "0");
  EXPECT_FALSE(client.IBTransaction2.inTransaction());
  EXPECT_FALSE(client.IBQuery1.active());
  // The second contact finds the table and adds no row.
  EXPECT_EQ(store.readVersion(), "0");
  EXPECT_EQ(rows(), std::vector<std::string>{"0"});

  store.recordVersion("0003");
  EXPECT_FALSE(client.IBTransaction2.inTransaction());
  EXPECT_EQ(store.readVersion(), "0003");
  // Committed: another connection sees it.
  client.IBDatabase1.close();
  ClientConnection other;
  other.IBDatabase1.setDatabaseName(database.path());
  EXPECT_EQ(VersionStore(other.IBQuery1).readVersion(), "0003");
}

TEST_F(VersionStoreTest, EmptyTwoRowAndNullTables) {
  execute("CREATE TABLE VERSAO (VERSAO VARCHAR(10));");
  EXPECT_EQ(store.readVersion(), "");
  // No row to set: the record adds the row, so the version is not lost.
  store.recordVersion("0004");
  EXPECT_EQ(rows(), std::vector<std::string>{"0004"});
  EXPECT_EQ(store.readVersion(), "0004");
  store.recordVersion("0005");
  EXPECT_EQ(rows(), std::vector<std::string>{"0005"});

  // A second row: the first one returned is read, and both are set.
  execute("insert into versao (versao) values ('0002');");
  EXPECT_EQ(store.readVersion(), "0005");
  store.recordVersion("0009");
  EXPECT_EQ(rows(), (std::vector<std::string>{"0009", "0009"}));

  execute("update versao set versao = null;");
  EXPECT_EQ(store.readVersion(), "");
}

TEST_F(VersionStoreTest, AnApostropheStaysInsideTheVersion) {
  EXPECT_EQ(store.readVersion(), "0");
  for (const std::string version : {"9'", "'", "0'; x", "a''b"}) {
    store.recordVersion(version);
    EXPECT_EQ(store.readVersion(), version);
  }
  EXPECT_EQ(rows().size(), 1u);
}

TEST_F(VersionStoreTest, ATableWithoutTheColumnIsAnErrorAndIsLeftAlone) {
  execute("CREATE TABLE VERSAO (NUMERO INTEGER);");
  execute("insert into versao (numero) values (7);");
  EXPECT_THROW(store.readVersion(), IbError);
  if (client.IBTransaction2.inTransaction()) client.IBTransaction2.rollback();
  client.IBQuery1.setSqlText("select numero from versao");
  client.IBQuery1.open();
  EXPECT_EQ(client.IBQuery1.fieldByName("numero").asInteger(), 7);
  client.IBQuery1.close();
  client.IBTransaction2.rollback();
}

TEST_F(VersionStoreTest, ATooLongVersionIsRefusedAndTheOldOneKept) {
  EXPECT_EQ(store.readVersion(), "0");
  EXPECT_THROW(store.recordVersion("12345678901"), IbError);
  if (client.IBTransaction2.inTransaction()) client.IBTransaction2.rollback();
  EXPECT_EQ(store.readVersion(), "0");
}

}  // namespace
}  // namespace kelvo
