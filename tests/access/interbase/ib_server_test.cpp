// The client database connection through a Firebird server on 127.0.0.1.
#include <gtest/gtest.h>

#include "access/interbase/ib_client_connection.h"
#include "access/interbase/ib_error.h"
#include "support/client_library_required.h"
#include "support/services.h"
#include "support/temp_folder.h"

KELVO_REQUIRE_FIREBIRD_CLIENT()

namespace kelvo {
namespace {

TEST(ServerConnectionTest, HostQualifiedNameAndRefusedLogin) {
  test::TempFolder folder;
  const std::string name = "127.0.0.1/" + test::serviceValue("firebird", "port") + ":" +
                           (folder.path() / "served.fdb").string();
  {
    IbDatabase creator(loadIbClientLibrary());
    creator.params() = {"user_name=ROOT", "password=471806"};
    creator.setSqlDialect(1);
    creator.setDatabaseName(name);
    creator.createDatabase("USER 'ROOT' PASSWORD '471806' PAGE_SIZE 4096");
    creator.close();
  }

  ClientConnection client;
  client.IBDatabase1.setDatabaseName(name);
  client.IBDatabase1.open();
  EXPECT_EQ(client.IBDatabase1.dbSqlDialect(), 1);
  client.IBQuery1.setSqlText("CREATE TABLE VERSAO (VERSAO VARCHAR(10));");
  client.IBQuery1.execSql();
  client.IBTransaction2.commit();
  client.IBQuery1.setSqlText("insert into versao (versao) values ('0');");
  client.IBQuery1.execSql();
  client.IBDatabase1.close();  // commits the insert
  client.IBQuery1.setSqlText("select versao, current_user u from versao");
  client.IBQuery1.open();
  EXPECT_EQ(client.IBQuery1.fieldByName("versao").asString(), "0");
  EXPECT_EQ(client.IBQuery1.fieldByName("u").asString(), "ROOT");
  client.IBDatabase1.close();

  IbDatabase refused(loadIbClientLibrary());
  refused.params() = {"user_name=ROOT", "password=wrong"};
  refused.setDatabaseName(name);
  try {
    refused.open();
    FAIL() << "wrong password accepted";
  } catch (const IbError& error) {
    EXPECT_STREQ(error.what(),
                 "Your user name and password are not defined. Ask your database administrator "
                 "to set up a Firebird login");
  }
  EXPECT_FALSE(refused.connected());
}

}  // namespace
}  // namespace kelvo
