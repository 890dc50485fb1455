// Fixed settings of the client database connection.
#include "access/interbase/ib_client_connection.h"

namespace kelvo {

ClientConnection::ClientConnection() : ClientConnection(loadIbClientLibrary()) {}

ClientConnection::ClientConnection(std::shared_ptr<const IbClientApi> api)
    : IBDatabase1(std::move(api)) {
  IBDatabase1.params() = {"user_name=ROOT", "password=471806"};
  IBDatabase1.setSqlDialect(1);
  IBDatabase1.setDefaultTransaction(&IBTransaction1);
  IBTransaction1.setDefaultDatabase(&IBDatabase1);
  IBTransaction2.setDefaultDatabase(&IBDatabase1);
  IBQuery1.setDatabase(&IBDatabase1);
  IBQuery1.setTransaction(&IBTransaction2);
}

}  // namespace kelvo
