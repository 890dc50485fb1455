// The data members the update's runs share, as the wait screen holds them:
// the central catalogue connection with its queries, the client connection
// with its transactions and query, the script runner and the programme code.
#pragma once

#include <memory>
#include <string>

#include "access/catalogue/alias_registry.h"
#include "access/catalogue/catalog_connection.h"
#include "access/interbase/ib_client_connection.h"
#include "scripts/ib_script.h"

namespace kelvo {

struct UpdateData {
  // Sets the central login on the catalogue connection (nothing is opened).
  // Loads the client library when API is null; raises its error when it is
  // missing.
  explicit UpdateData(AliasRegistry& registry, std::shared_ptr<const IbClientApi> api = nullptr);
  UpdateData(const UpdateData&) = delete;
  UpdateData& operator=(const UpdateData&) = delete;

  AliasRegistry& registry;    // the aliases of the client databases and of "Check"
  CatalogConnection catalog;  // Database1, Query2, Query3, Table2
  ClientConnection client;    // IBDatabase1, IBTransaction1, IBTransaction2, IBQuery1
  IbScript IBScript1{client.IBDatabase1, client.IBTransaction1};
  std::string tipo;  // programme code during a script run, else empty
};

}  // namespace kelvo
