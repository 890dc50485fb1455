// The test site prepared for the main screen, with an archiver stand-in,
// and a driver that answers every message box.
#pragma once

#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "access/catalogue/alias_file.h"
#include "screens/untfrmkelvoupdate.h"
#include "support/shell_recorder.h"
#include "support/temp_folder.h"
#include "support/test_site.h"

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

class MainScreenMachine : public TestSite {
 public:
  // A ready machine: an archiver stand-in under "Program Files",
  // Sys_Tavrela.exe and Sys_Info.INI naming alias LOJA, whose database exists.
  MainScreenMachine();

  // Creates the main screen with a confirmation screen (ticked when
  // CONFIRMED) and shows it in the working folder, answering every message.
  Tfrmkelvoupdate& show(bool confirmed = true);

  TempFolder& work = work_;  // the working folder
  std::vector<SeenMessage> messages;
  ShellRecorder shell;
  std::string client_database;  // LOJA's database

 private:
  std::unique_ptr<AliasFileRegistry> aliases_;
  std::unique_ptr<Tfrmkelvoupdate> screen_;
};

}  // namespace kelvo::test
