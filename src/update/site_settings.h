// The site's own settings file, kelvoupdate.ini: how long the update waits
// for a silent server. It lives outside the working folder, which the
// update server fills, and is optional: without it every default holds.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/error.h"

namespace kelvo {

// A settings file that cannot be read or holds a bad line: "PATH:LINE: what
// is wrong". The update does not start on it.
class SiteSettingsError : public Error {
 public:
  using Error::Error;
};

// The settings, in seconds.
//
//   [ftp]
//   read_timeout = 120     ; no byte on the control or a data connection
//   tls = required         ; explicit FTPS (default off)
//   ca_file = /etc/kelvoupdate/ca.pem  ; absolute: the CAs the server's
//                                      ; certificate must chain to
//   [catalogue]
//   read_timeout = 60      ; no answer from the central catalogue
//   write_timeout = 60     ; a request the catalogue does not take in
//   tls = required         ; TLS to the catalogue (default off)
//   ca_file = /etc/kelvoupdate/ca.pem
//   [backup]
//   folder = /var/backups/kelvoupdate  ; absolute; none: no backup
// Whether a server is reached over TLS, and the CA file that vouches for it.
struct TlsSetting {
  bool required = false;
  std::optional<std::string> caFile;
};

struct SiteSettings {
  int ftpReadTimeout = 120;
  int catalogueReadTimeout = 60;
  int catalogueWriteTimeout = 60;
  // Where each client database is backed up before its first pending
  // script; no backup without it.
  std::optional<std::string> backupFolder;
  TlsSetting ftpTls;
  TlsSetting catalogueTls;
};

// Returns the settings of TEXT. Sections and keys are the ones above, in
// lower case; blank lines and lines beginning with ';' or '#' are skipped,
// blanks around names and values dropped, CR LF or LF ends a line. Every
// other line is an error naming ORIGIN and the line: a line outside a
// section, an unknown section or key, a key given twice, a wait that is
// not a whole number of seconds from 1 to 86400, a tls that is neither
// "required" nor "off", a ca_file that is not absolute.
SiteSettings parseSiteSettings(std::string_view text, const std::string& origin);

// Returns the settings of the file PATH, the defaults when it does not
// exist; raises SiteSettingsError when it cannot be read or is faulty.
SiteSettings loadSiteSettings(const std::string& path);

// Returns the absolute path of the settings file: KELVOUPDATE_CONFIG when
// set (a relative one raises SiteSettingsError), else kelvoupdate.ini beside
// the alias file (on Windows in %ProgramData%\KelvoUpdate); nothing when
// no absolute folder for it is known, since none is ever read relatively.
std::optional<std::string> siteSettingsPath();

// Operating-system part (one source per platform): the path used when
// KELVOUPDATE_CONFIG is not set, or nothing.
std::optional<std::string> defaultSiteSettingsPath();

// Returns the settings of this machine: those of siteSettingsPath(), the
// defaults without one.
SiteSettings readSiteSettings();

}  // namespace kelvo
