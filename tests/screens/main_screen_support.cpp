// The prepared machine of the main screen tests.
#include "screens/main_screen_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include "access/catalogue/catalog_fixture.h"
#include "access/interbase/ib_test_database.h"
#include "screens/unit1.h"

namespace kelvo::test {

MessageAnswerer::MessageAnswerer(std::vector<SeenMessage>& seen) : seen_(seen) {
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    seen_.push_back({box->windowTitle().toStdString(), box->text().toStdString(), box->icon()});
    box->button(QMessageBox::Ok)->click();
  });
  timer_.start(10);
}

bool waitUntil(const std::function<bool()>& condition, int timeout_ms) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > timeout_ms) return false;
    QTest::qWait(10);
  }
  return true;
}

MainScreenMachine::MainScreenMachine() {
  installArchiver("Program Files");
  registryNames("Program Files");
  work.write("Sys_Tavrela.exe", "main executable");
  work.write("Sys_Info.INI", "[BASE] ALIAS= LOJA\r\n[OUTRA]\r\n");
  client_database = path("loja.fdb");
  createDialect1Database(client_database);
  addAlias("LOJA", client_database);
}

std::string MainScreenMachine::path(const std::string& name) const {
  return (machine_.path() / name).string();
}

void MainScreenMachine::registryNames(const std::string& folder) {
  machine_.write("registry.reg",
                 "Windows Registry Editor Version 5.00\r\n\r\n"
                 "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\r\n"
                 "\"ProgramFilesDir\"=\"" +
                     path(folder) + "\"\r\n");
}

void MainScreenMachine::installArchiver(const std::string& folder) const {
  std::filesystem::create_directories(machine_.path() / folder / "winrar");
  machine_.write(folder + "/winrar/winrar.exe", "archiver");
}

void MainScreenMachine::addAlias(const std::string& name, const std::string& location) {
  client_aliases_ += "[" + name + "]\nDRIVER=INTRBASE\nSERVER NAME=" + location + "\n";
}

std::filesystem::path MainScreenMachine::writeAliasFile() {
  if (catalogue_reachable_) {
    return writeCatalogAliasFile(machine_, CatalogServer::published().database, client_aliases_);
  }
  // Nothing listens on port 1 of the loopback interface.
  return machine_.write("aliases.ini",
                        "[Check]\nDRIVER=MYSQL\nSERVER NAME=127.0.0.1\nPORT=1\n"
                        "DATABASE NAME=Divozov_ev\n" +
                            client_aliases_);
}

Tfrmkelvoupdate& MainScreenMachine::show(bool confirmed) {
  aliases_ = std::make_unique<AliasFileRegistry>(writeAliasFile().string());
  screen_ = std::make_unique<Tfrmkelvoupdate>(nullptr, *aliases_);
  auto* confirmation = new TForm1();
  if (confirmed) confirmation->BitBtn1Click();
  screen_->setConfirmationScreen(confirmation);
  WorkingFolder cwd(work.path());
  MessageAnswerer answerer(messages);
  screen_->show();
  return *screen_;
}

}  // namespace kelvo::test
