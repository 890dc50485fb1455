// The real wait screen against a real MariaDB catalogue and real embedded
// Firebird client databases in a scratch working folder.
#pragma once

#include <gtest/gtest.h>

#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "access/catalogue/alias_file.h"
#include "access/catalogue/catalog_fixture.h"
#include "screens/uAguarde.h"
#include "support/client_databases.h"
#include "support/temp_folder.h"

namespace kelvo::test {

// Answers the screens the run shows modally, as an operator would: the
// error screen by "&Cont..", a message box by OK. Records what they said.
class ModalAnswerer {
 public:
  explicit ModalAnswerer(const QWidget* wait_screen);

  std::vector<std::string> errorScreens;  // the error screens' Label1 texts
  std::vector<std::string> messages;      // the message boxes' texts
  bool ownedByWaitScreen = true;          // every error screen was

 private:
  QTimer timer_;
};

class ScriptRunTest : public ::testing::Test {
 protected:
  // Creates a fresh client database for ALIAS and returns its path.
  std::string addDatabase(const std::string& alias) { return databases_.addDatabase(alias); }
  // Adds ALIAS pointing at PATH without creating anything.
  void addAlias(const std::string& alias, const std::string& path) {
    databases_.addAlias(alias, path);
  }

  // Returns the wait screen, created on first use with the aliases known
  // by then, its catalogue opened as preparation leaves it.
  Taguarde& screen();

  // Shows the wait screen modally over TICKED and returns when the run has
  // closed it; modal screens are answered by ANSWERS.
  void run(const std::vector<std::string>& ticked);

  // Returns column V of every row of SQL on the database of ALIAS.
  std::vector<std::string> column(const std::string& alias, const std::string& sql) {
    return databases_.column(alias, sql);
  }
  // Returns the version VERSAO holds in ALIAS's database (first row).
  std::string version(const std::string& alias);
  // Returns the failure records in the working folder, sorted.
  std::vector<std::string> records();

  TempFolder folder;
  WorkingFolder working{folder.path()};
  ScratchCatalog catalog;
  std::vector<int> pauses;
  std::unique_ptr<ModalAnswerer> answers;
  // The fixed moment of every failure record's name: 5 March 2024 14:07:09.
  static constexpr const char* kStamp = "SCRIPT_ERRO_DT_05-03-2024_HR_14-07-09 ";

 private:
  ClientDatabases databases_{folder.path()};
  std::unique_ptr<AliasFileRegistry> registry_;
  std::unique_ptr<UpdateData> data_;
  std::unique_ptr<Taguarde> screen_;
};

}  // namespace kelvo::test
