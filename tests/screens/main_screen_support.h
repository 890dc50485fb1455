// A machine and working folder prepared for the main screen: registry
// stand-in, archiver, alias file, real client databases and the real
// catalogue server; and a driver that answers every message box.
#pragma once

#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "access/catalogue/alias_file.h"
#include "screens/untfrmkelvoupdate.h"
#include "support/scoped_env.h"
#include "support/shell_recorder.h"
#include "support/temp_folder.h"

namespace kelvo::test {

// One message box as the operator saw it.
struct SeenMessage {
  std::string title;
  std::string text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Answers every modal message box with OK while it exists, recording each.
class MessageAnswerer {
 public:
  explicit MessageAnswerer(std::vector<SeenMessage>& seen);

 private:
  std::vector<SeenMessage>& seen_;
  QTimer timer_;
};

// Polls the event loop until CONDITION holds or TIMEOUT_MS passed.
bool waitUntil(const std::function<bool()>& condition, int timeout_ms = 5000);

class MainScreenMachine {
 public:
  // A ready machine: archiver under "Program Files", Sys_Tavrela.exe and
  // Sys_Info.INI naming alias LOJA, whose database exists.
  MainScreenMachine();

  // Makes the registry name FOLDER (below the machine) as ProgramFilesDir.
  void registryNames(const std::string& folder);
  // Installs the archiver below FOLDER (below the machine).
  void installArchiver(const std::string& folder) const;
  // Returns the absolute path of NAME below the machine.
  std::string path(const std::string& name) const;
  // Replaces the catalogue alias by one whose server cannot be reached.
  void catalogueUnreachable() { catalogue_reachable_ = false; }
  // Adds alias NAME pointing at LOCATION.
  void addAlias(const std::string& name, const std::string& location);
  // Adds TEXT to the alias file as it stands (a malformed alias, say).
  void addAliasText(const std::string& text) { client_aliases_ += text; }

  // Writes the alias file (catalogue and client aliases) and returns its path.
  std::filesystem::path writeAliasFile();

  // Creates the main screen with a confirmation screen (ticked when
  // CONFIRMED) and shows it in the working folder, answering every message.
  Tfrmkelvoupdate& show(bool confirmed = true);

  TempFolder work;  // the working folder
  std::vector<SeenMessage> messages;
  ShellRecorder shell;
  std::string client_database;  // LOJA's database

 private:
  TempFolder machine_;
  ScopedEnv registry_env_{"KELVOUPDATE_REGISTRY", (machine_.path() / "registry.reg").string()};
  std::string client_aliases_;
  bool catalogue_reachable_ = true;
  std::unique_ptr<AliasFileRegistry> aliases_;
  std::unique_ptr<Tfrmkelvoupdate> screen_;
};

}  // namespace kelvo::test
