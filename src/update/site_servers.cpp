// The site settings on the two servers' connections.
#include "update/site_servers.h"

#include "update/deployment.h"

namespace kelvo {

FtpTlsConfig ftpTlsConfig(const SiteSettings& settings) {
  return {kFtpTlsRequired || settings.ftpTls.required, settings.ftpTls.caFile.value_or("")};
}

void configureFtpClient(FtpClient& ftp, const SiteSettings& settings) {
  FtpWaits waits = ftp.waits();
  waits.read = settings.ftpReadTimeout * 1000;
  ftp.setWaits(waits);
  ftp.setTls(ftpTlsConfig(settings));
}

std::vector<std::string> catalogueTlsParams(const SiteSettings& settings) {
  std::vector<std::string> params;
  if (settings.catalogueTls.required) params.push_back("TLS=REQUIRED");
  if (settings.catalogueTls.caFile)
    params.push_back("TLS CA FILE=" + *settings.catalogueTls.caFile);
  return params;
}

}  // namespace kelvo
