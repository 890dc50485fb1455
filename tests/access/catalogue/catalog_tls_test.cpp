// The central catalogue over TLS against the real MariaDB server, whose
// certificate comes from a CA made for this run: asked for by the alias
// "Check" or by the connection's own lines (the site settings), the
// certificate checked against the CA file and the server's address.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "access/catalogue/alias_file.h"
#include "access/catalogue/catalog_database.h"
#include "access/catalogue/catalog_error.h"
#include "access/catalogue/catalog_fixture.h"
#include "access/catalogue/catalog_login.h"
#include "access/catalogue/catalog_query.h"
#include "support/services.h"

namespace kelvo {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

std::string certificate(const std::string& name) {
  return test::serviceFolder("mariadb") + "/tls/" + name;
}

TEST(CatalogTls, OnlyAServerThatProvesItselfIsReached) {
  const std::string ca = "TLS CA FILE=" + certificate("ca.pem");
  const struct {
    const char* what;
    std::string alias_lines;  // added to the alias "Check"
    std::vector<std::string> connection_lines;
    const char* error;  // nothing: connects over TLS
  } cases[] = {
      {"asked for by the alias", "TLS=REQUIRED\n" + ca + "\n", {}, nullptr},
      {"asked for by the site", "", {"TLS=REQUIRED", ca}, nullptr},
      {"the site's CA file wins",
       "TLS CA FILE=" + certificate("other-ca.pem") + "\n",
       {"TLS=REQUIRED", ca},
       nullptr},
      {"asked for by the alias, the site saying nothing against it",
       "TLS=REQUIRED\n",
       {"TLS=OFF", ca},
       nullptr},
      {"a CA that vouches for nobody here",
       "",
       {"TLS=REQUIRED", "TLS CA FILE=" + certificate("other-ca.pem")},
       "certificate"},
      {"an address the certificate does not name",
       "",
       {"TLS=REQUIRED", ca, "SERVER NAME=127.0.0.2"},
       "Validation of SSL server certificate failed"},
      {"no CA file",
       "TLS=REQUIRED\n",
       {},
       "TLS com o catálogo exige o arquivo de CA: ca_file em [catalogue] do kelvoupdate.ini."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempFolder folder;
    test::ScratchCatalog catalog;
    AliasFileRegistry registry(
        test::writeCatalogAliasFile(folder, catalog.name(), c.alias_lines).string());
    CatalogDatabase database(registry);
    setCatalogLogin(database);
    for (const std::string& line : c.connection_lines) database.params().push_back(line);
    try {
      database.open();
      if (c.error != nullptr) {
        ADD_FAILURE() << "connected";
      }
    } catch (const CatalogError& e) {
      if (c.error == nullptr) {
        ADD_FAILURE() << e.what();
      } else {
        EXPECT_THAT(e.what(), HasSubstr(c.error));
      }
      EXPECT_FALSE(database.connected());
      continue;
    }
    CatalogQuery query(database, "Query3");
    query.setStatement("show session status like 'Ssl_version'");
    query.open();
    EXPECT_THAT(query.fieldByName("Value").asString(), StartsWith("TLSv1."));
  }
}

TEST(CatalogTls, TheCatalogueLoginReadsScriptsAndPrincipalOnly) {
  test::TempFolder folder;
  test::ScratchCatalog catalog;
  AliasFileRegistry registry(test::writeCatalogAliasFile(folder, catalog.name()).string());
  CatalogDatabase database(registry);
  setCatalogLogin(database);
  CatalogQuery query(database, "Query3");
  for (const char* allowed : {"select count(*) n from scripts", "select * from principal"}) {
    query.setStatement(allowed);
    EXPECT_NO_THROW(query.open()) << allowed;
  }
  for (const char* refused : {"update scripts set liberado = 'S'", "delete from principal",
                              "drop table scripts", "select user from mysql.user"}) {
    query.setStatement(refused);
    try {
      query.open();
      ADD_FAILURE() << refused << " was allowed";
    } catch (const CatalogError& e) {
      EXPECT_THAT(e.what(), HasSubstr("denied")) << refused;
    }
  }
}

}  // namespace
}  // namespace kelvo
