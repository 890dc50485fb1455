// A site ready for a whole update by the real program: the main screen's
// machine, a catalogue whose principal row holds the update server's
// password, an update server of its own, atualiza.cfg naming it, and the
// operator's regional settings Brazilian.
#pragma once

#include <filesystem>
#include <string>

#include "access/catalogue/catalog_fixture.h"
#include "screens/main_screen_support.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

namespace kelvo::test {

class XcbUpdateSite {
 public:
  // Starts the update server (tests/services/update_ftp.start) sending each
  // download at RATE bytes per second (0: as fast as it can) and holding its
  // connection HOLD seconds after the last byte.
  XcbUpdateSite(long rate, double hold);
  ~XcbUpdateSite();
  XcbUpdateSite(const XcbUpdateSite&) = delete;
  XcbUpdateSite& operator=(const XcbUpdateSite&) = delete;

  // Returns the path of NAME in the served folder "quarvessa".
  std::filesystem::path served(const std::string& name) const;
  // Returns the path of NAME in the server's state folder (its log, the
  // file "holding" while a download is held).
  std::string serverFile(const std::string& name) const;

  MainScreenMachine machine;
  TempFolder shots;

 private:
  TempFolder settings_;
  TempFolder server_;
  ScratchCatalog catalog_;
  ScopedEnv aliases_env_;
  ScopedEnv locale_path_env_;
  ScopedEnv locale_env_;
};

// Returns a folder holding the Brazilian locale pt_BR.UTF-8 for LOCPATH,
// compiled once per build.
std::string brazilianLocaleFolder();

}  // namespace kelvo::test
