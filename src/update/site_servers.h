// How the site settings and the build's own requirement reach the
// connections to the update server and to the central catalogue: their
// waits and their TLS.
#pragma once

#include <string>
#include <vector>

#include "access/ftp/ftp_client.h"
#include "access/ftp/ftp_tls.h"
#include "update/site_settings.h"

namespace kelvo {

// FTPS when the build requires it or SETTINGS ask for it ([ftp] tls), with
// [ftp] ca_file. A site cannot turn off what the build requires.
FtpTlsConfig ftpTlsConfig(const SiteSettings& settings);

// Gives FTP the read limit and the TLS of SETTINGS.
void configureFtpClient(FtpClient& ftp, const SiteSettings& settings);

// The catalogue connection's parameter lines that SETTINGS' [catalogue] tls
// and ca_file add: "TLS=REQUIRED" and "TLS CA FILE=PATH", or none. They can
// only turn TLS on: the alias "Check" may ask for it too.
std::vector<std::string> catalogueTlsParams(const SiteSettings& settings);

}  // namespace kelvo
