// Gives the central catalogue connection its descrambled login.
#include "access/catalog_login.h"

#include "access/desembaralha.h"
#include "access/umysql.h"

namespace kelvo {

void setCatalogLogin(CatalogDatabase& database) {
  auto& params = database.params();
  params.clear();
  params.push_back("USER NAME=" + DesembaralhaAnsi(UsuarioMySQL()));
  params.push_back("PASSWORD=" + DesembaralhaAnsi(SenhaMySQL()));
}

}  // namespace kelvo
