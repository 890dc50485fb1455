// How alias lines and the connection's login combine into connection settings.
#include "access/catalogue/catalog_settings.h"

#include <gtest/gtest.h>

#include "access/catalogue/catalog_database.h"
#include "access/catalogue/catalog_login.h"
#include "access/catalogue/desembaralha.h"
#include "access/catalogue/umysql.h"
#include "platform/error.h"

namespace kelvo {
namespace {

TEST(CatalogSettings, ConnectionLinesOverrideTheAliasLogin) {
  const CatalogSettings settings = catalogSettings(
      {"SERVER NAME=db.example", " PORT =3307", "DATABASE NAME=catalogo", "USER NAME=alias_user",
       "PASSWORD=alias_pw", "OPEN MODE=READ/WRITE", "socket=/run/my.sock"},
      {"USER NAME=real_user", "PASSWORD=real=pw"});
  EXPECT_EQ(settings.host, "db.example");
  EXPECT_EQ(settings.port, 3307u);
  EXPECT_EQ(settings.database, "catalogo");
  EXPECT_EQ(settings.user, "real_user");
  EXPECT_EQ(settings.password, "real=pw");
  EXPECT_EQ(settings.socket, "/run/my.sock");
}

TEST(CatalogSettings, ABadNumberIsNamed) {
  EXPECT_THROW(catalogSettings({"PORT=33o6"}, {}), Error);
  EXPECT_THROW(catalogSettings({"PORT="}, {}), Error);
  EXPECT_THROW(catalogSettings({"CONNECT TIMEOUT=-1"}, {}), Error);
  try {
    catalogSettings({"PORT=abc"}, {});
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(),
                 "Invalid PORT 'abc' for the central catalogue: a whole number is expected");
  }
}

TEST(CatalogLogin, ReplacesEveryLineByTheDescrambledLogin) {
  class NoRegistry : public AliasRegistry {
   public:
    void GetAliasParams(std::string_view, std::vector<std::string>&) override {
      throw AliasError("not used");
    }
  } registry;
  CatalogDatabase database(registry);
  database.params() = {"SERVER NAME=elsewhere", "USER NAME=old"};
  setCatalogLogin(database);
  EXPECT_EQ(database.params(),
            (std::vector<std::string>{"USER NAME=" + DesembaralhaAnsi(UsuarioMySQL()),
                                      "PASSWORD=" + DesembaralhaAnsi(SenhaMySQL())}));
  EXPECT_FALSE(database.connected());
}

}  // namespace
}  // namespace kelvo
