// How an update reaches the FTP server: the settings of atualiza.cfg (or
// the defaults), the fixed user name, the password kept scrambled in the
// central catalogue, and the folder that holds the update.
#pragma once

#include <string>

#include "access/catalogue/catalog_connection.h"
#include "access/ftp/ftp_client.h"
#include "update/atualiza_cfg.h"

namespace kelvo {

// The server folder, relative to the login folder, that holds the update.
inline constexpr const char* kServerFolder = "quarvessa";

// Sets FTP's host, port, user name, password and passive mode from
// SETTINGS. The password is read from the column of table "principal" that
// SETTINGS select, through CATALOG's Query3 (open since preparation), and
// descrambled. Query errors are raised.
void setFtpLogin(FtpClient& ftp, CatalogConnection& catalog, const FtpSettings& settings);

// Sets the binary transfer type and changes to the update folder.
void openUpdateFolder(FtpClient& ftp);

// Returns the message shown when the connection could not be made, ERROR
// being the failure's own text.
std::string ftpConnectFailureMessage(const std::string& error);

}  // namespace kelvo
