// A customer site for kelvoupdate's end-to-end tests: a working folder with
// the main executable, Sys_Info.INI (alias LOJA) and atualiza.cfg naming
// the update FTP server; the archiver installed where the registry
// stand-in's ProgramFilesDir points; an alias file naming the real
// catalogue (a scratch database) and LOJA's embedded Firebird database.
// The program itself runs as a separate process.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "access/catalogue/catalog_fixture.h"
#include "platform/tdatetime.h"
#include "support/scoped_env.h"
#include "support/temp_folder.h"

namespace kelvo::test {

// What one run of the program left.
struct ProgramResult {
  int code = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

class CliSiteTest : public ::testing::Test {
 protected:
  CliSiteTest();

  // Runs kelvoupdate with ARGUMENTS (shell words) and --pasta naming the
  // working folder, from another folder.
  ProgramResult kelvoupdate(const std::string& arguments);
  // Runs it the same way on a terminal (through script(1)): standard output
  // and standard error both land in the result's OUT, as a terminal shows them.
  ProgramResult kelvoupdateOnATerminal(const std::string& arguments);

  // Puts NAME into the server's update folder with CONTENT, dated WHEN.
  void serve(const std::string& name, const std::string& content, TDateTime when);
  // Removes NAME from the server's update folder.
  void unserve(const std::string& name);
  // Puts NAME into the working folder with CONTENT, dated WHEN.
  void local(const std::string& name, const std::string& content, TDateTime when);
  // Returns the working folder's path of NAME.
  std::filesystem::path workPath(const std::string& name) const;
  // Writes atualiza.cfg naming PORT (default: the update FTP server's).
  void configure(const std::string& port = "");

  // Returns every file of the working folder with its bytes and time.
  std::string folderSnapshot() const;
  // Returns LOJA's user tables with their rows, VERSAO's included.
  std::string databaseSnapshot() const;
  // Returns the rows of VERSAO (fails the test without the table).
  std::vector<std::string> versions() const;

  TDateTime base_;  // a whole minute of yesterday
  TempFolder machine_;
  TempFolder work_;
  ScratchCatalog catalog_;
  std::string database_;  // LOJA's database file
  ScopedEnv registry_env_;
  ScopedEnv aliases_env_;
};

}  // namespace kelvo::test
