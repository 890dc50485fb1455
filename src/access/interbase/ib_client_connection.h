// The client database connection as the wait screen holds it: the
// connection IBDatabase1, its transactions IBTransaction1 (the default, used
// by the script runner) and IBTransaction2, and the client query IBQuery1.
//
// Use:
//   kelvo::ClientConnection client;            // loads the client library
//   client.IBDatabase1.setDatabaseName(path);  // "C:\\x.gdb", "host/port:/x.fdb"
//   client.IBDatabase1.open();
//   client.IBQuery1.setSqlText("select versao from versao");
//   client.IBQuery1.open();
//   std::string v = client.IBQuery1.fieldByName("versao").asString();
//   client.IBQuery1.close();
//   client.IBTransaction2.rollback();
//   client.IBQuery1.setSqlText("update versao set versao='0002';");
//   client.IBQuery1.execSql();
//   client.IBTransaction2.commit();
//   client.IBDatabase1.close();                 // commits what is still active
#pragma once

#include <memory>

#include "access/interbase/ib_client_library.h"
#include "access/interbase/ib_database.h"
#include "access/interbase/ib_query.h"
#include "access/interbase/ib_transaction.h"

namespace kelvo {

// The fixed settings: user ROOT with its password, SQL dialect 1, no
// character set, IBTransaction1 as the default transaction, IBQuery1 on
// IBTransaction2. Members are declared in the order they must be destroyed
// in reverse.
struct ClientConnection {
  // Loads the client library; raises its "not found" error when missing.
  ClientConnection();
  // Uses the given entry points (tests pass a table with failing entries).
  explicit ClientConnection(std::shared_ptr<const IbClientApi> api);

  IbDatabase IBDatabase1;
  IbTransaction IBTransaction1;
  IbTransaction IBTransaction2;
  IbQuery IBQuery1{"IBQuery1"};
};

}  // namespace kelvo
