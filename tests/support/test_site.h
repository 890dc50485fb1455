// A customer site on this machine: the machine folder (registry stand-in
// naming its Program Files), a working folder, a scratch catalogue on the
// tests' MariaDB server whose principal row holds the FTP passwords, the
// client databases with the alias file naming them all, and the update FTP
// server's folder. The fixtures of the screens, the file run and the
// command line build on it and add their own way to run.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "access/catalogue/catalog_fixture.h"
#include "platform/tdatetime.h"
#include "support/client_databases.h"
#include "support/site_machine.h"
#include "support/temp_folder.h"

namespace kelvo::test {

class TestSite : public SiteMachine, public ClientDatabases {
 public:
  // The alias of the store's database, named by the store's Sys_Info.INI.
  static constexpr const char* kStoreAlias = "LOJA";

  // The machine's registry names its Program Files, empty yet; the
  // catalogue's principal row holds the right FTP password in senha_ftp and
  // a wrong one in senha_ftp2.
  TestSite();

  // Makes the working folder a store's: MAIN_EXECUTABLE as Sys_Tavrela.exe
  // and Sys_Info.INI naming LOJA, whose database it creates; returns that
  // database's path.
  std::string setUpStore(const std::string& main_executable);
  // Empties the update FTP server's folder and names the server in
  // atualiza.cfg.
  void useUpdateServer();
  // Writes atualiza.cfg: host, PORT (default: the update FTP server's), then
  // MORE_LINES.
  void configure(const std::vector<std::string>& more_lines = {}, const std::string& port = "");

  // Makes PASSWORD the right FTP password (senha_ftp).
  void storeFtpPassword(const std::string& password);

  // Makes the catalogue alias name a server that cannot be reached.
  void catalogueUnreachable() { catalogue_reachable_ = false; }
  // Writes the alias file (catalogue and client aliases) in the machine
  // folder and returns its path.
  std::filesystem::path writeAliasFile() const;

  // Returns the path of NAME in the server's update folder.
  std::filesystem::path served(const std::string& name) const;
  // Puts NAME into the server's update folder with CONTENT, dated WHEN.
  void serve(const std::string& name, const std::string& content, TDateTime when);
  // Removes NAME from the server's update folder.
  void unserve(const std::string& name);
  // Puts NAME into the working folder with CONTENT, dated WHEN.
  void local(const std::string& name, const std::string& content, TDateTime when);
  // Returns the working folder's path of NAME.
  std::filesystem::path workPath(const std::string& name) const;
  // Returns the content of NAME in the working folder.
  std::string localContent(const std::string& name) const;

  // Returns every file of the working folder with its bytes and time.
  std::string folderSnapshot() const;
  // Returns the store database's user tables with their rows.
  std::string databaseSnapshot() const;
  // Returns the rows of the store database's VERSAO; throws without the table.
  std::vector<std::string> versions() const;

 protected:
  TDateTime base_;  // a whole minute of yesterday
  TempFolder work_;
  ScratchCatalog catalog_;

 private:
  bool catalogue_reachable_ = true;
};

}  // namespace kelvo::test
