// The FTP login of an update.
#include "update/ftp_login.h"

#include "access/catalogue/desembaralha.h"
#include "update/deployment.h"

namespace kelvo {

void setFtpLogin(FtpClient& ftp, CatalogConnection& catalog, const FtpSettings& settings) {
  ftp.setHost(settings.host);
  ftp.setPort(settings.port);
  ftp.setUsername(kFtpUser);
  const std::string column = settings.passwordColumn();
  CatalogQuery& query = catalog.Query3;
  query.setStatement("select " + column + " from principal");
  query.open();
  ftp.setPassword(Desembaralha(query.fieldByName(column).asString()));
  query.close();
  ftp.setPassive(settings.passive);
}

void openUpdateFolder(FtpClient& ftp) {
  ftp.setTransferType(FtpTransferType::Binary);
  ftp.ChangeDir(kServerFolder);
}

std::string ftpConnectFailureMessage(const std::string& error) {
  return "Não foi possível estabelecer conexão ftp.\n\nTENTE MAIS TARDE.\n" + error;
}

}  // namespace kelvo
