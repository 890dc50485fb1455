// The central catalogue as the wait screen holds it: the connection
// Database1 through alias "Check", the queries Query2 (script list) and
// Query3 (counts, passwords), and Table2 (the current script's text).
//
// Use:
//   kelvo::CatalogConnection catalog(kelvo::systemAliasRegistry());
//   kelvo::setCatalogLogin(catalog.Database1);  // as the wait screen's creation does
//   catalog.Database1.open();
//   catalog.Query3.setStatement("select senha_ftp from principal");
//   catalog.Query3.open();
//   std::string scrambled = catalog.Query3.fieldByName("senha_ftp").asString();
//   catalog.Query3.close();
#pragma once

#include "access/catalogue/alias_registry.h"
#include "access/catalogue/catalog_database.h"
#include "access/catalogue/catalog_login.h"
#include "access/catalogue/catalog_query.h"

namespace kelvo {

struct CatalogConnection {
  explicit CatalogConnection(AliasRegistry& registry) : Database1(registry) {}

  CatalogDatabase Database1;
  CatalogQuery Query2{Database1, "Query2"};
  CatalogQuery Query3{Database1, "Query3"};
  CatalogQuery Table2{Database1, "Table2"};
};

}  // namespace kelvo
