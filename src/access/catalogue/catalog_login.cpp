// Gives the central catalogue connection its descrambled login.
#include "access/catalogue/catalog_login.h"

#include "access/catalogue/desembaralha.h"
#include "access/catalogue/umysql.h"

namespace kelvo {

void setCatalogLogin(CatalogDatabase& database) {
  auto& params = database.params();
  params.clear();
  params.push_back("USER NAME=" + DesembaralhaAnsi(UsuarioMySQL()));
  params.push_back("PASSWORD=" + DesembaralhaAnsi(SenhaMySQL()));
}

}  // namespace kelvo
