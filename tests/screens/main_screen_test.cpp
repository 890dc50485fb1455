// The main screen's preparation, driven on the real screen against the real
// catalogue server and real client databases: every way it can end.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "screens/main_screen_support.h"
#include "screens/modal_driver.h"
#include "screens/uAguarde.h"
#include "support/temp_folder.h"
#include "update/deployment.h"

namespace kelvo {
namespace {

using test::MainScreenMachine;
using test::SeenMessage;
using test::waitUntil;

const std::string kDownload = std::string("https://") + kDownloadHost + "/winrar.exe\n";

std::vector<std::string> texts(const std::vector<SeenMessage>& messages) {
  std::vector<std::string> result;
  for (const auto& m : messages) result.push_back(m.text);
  return result;
}

// The state every early end leaves: update impossible, the screen closing
// 100 ms after the message and freeing the wait screen, no connection open.
void expectEndedEarly(Tfrmkelvoupdate& screen, bool wait_screen_created) {
  EXPECT_FALSE(screen.Button1->isEnabled());
  EXPECT_TRUE(screen.Timer2->isActive());
  EXPECT_EQ(screen.aguarde != nullptr, wait_screen_created);
  if (screen.aguarde != nullptr) {
    EXPECT_FALSE(screen.aguarde->Database1.connected());
    EXPECT_FALSE(screen.aguarde->IBDatabase1.connected());
  }
  EXPECT_TRUE(waitUntil([&] { return !screen.isVisible(); }, 1000));
  EXPECT_EQ(screen.aguarde, nullptr);
}

TEST(MainScreen, ReadyPreparationTicksTheAliasAndEnterStartsTheUpdate) {
  MainScreenMachine machine;
  Tfrmkelvoupdate& screen = machine.show();
  EXPECT_TRUE(machine.messages.empty()) << machine.messages.front().text;
  EXPECT_EQ(screen.preparationOutcome(), PreparationOutcome::Ready);
  EXPECT_EQ(screen.PROGR.toStdString(), machine.path("Program Files"));
  EXPECT_EQ(screen.Label9->text().toStdString(), "Sys_Tavrela.exe - Será atualizado");
  EXPECT_EQ(screen.Label9->palette().color(QPalette::WindowText), QColor(0, 128, 0));
  ASSERT_EQ(screen.CheckListBox1->count(), 1);
  EXPECT_EQ(screen.CheckListBox1->item(0)->text().toStdString(), "LOJA");
  EXPECT_EQ(screen.CheckListBox1->item(0)->checkState(), Qt::Checked);
  EXPECT_EQ(screen.StatusPanel0->text().toStdString(),
            "Clique em Atualizar agora ou pressione <ENTER>.");
  ASSERT_NE(screen.aguarde, nullptr);
  EXPECT_TRUE(screen.aguarde->Database1.connected());
  EXPECT_FALSE(screen.aguarde->IBDatabase1.connected());
  EXPECT_EQ(screen.aguarde->IBDatabase1.databaseName(), machine.client_database);
  EXPECT_FALSE(screen.Timer2->isActive());

  screen.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
  ASSERT_EQ(QApplication::focusWidget(), screen.Button1);
  // Enter starts the update; an empty port in atualiza.cfg stops it before it
  // connects, with the application's error box, and the button stays disabled.
  machine.work.write("atualiza.cfg", "127.0.0.1\r\n\r\n");
  test::WorkingFolder cwd(machine.work.path());
  test::MessageAnswerer answerer(machine.messages);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  ASSERT_EQ(machine.messages.size(), 1u);
  EXPECT_EQ(machine.messages[0].text, "'' is not a valid integer value");
  EXPECT_EQ(machine.messages[0].icon, QMessageBox::Critical);
  EXPECT_FALSE(screen.Button1->isEnabled());
  EXPECT_EQ(screen.lblstatus->text().toStdString(), " ");
  EXPECT_FALSE(machine.shell.anythingOpenedWithin(std::chrono::milliseconds(0)));
}

TEST(MainScreen, NotConfirmedClosesAtOnceTouchingNothing) {
  MainScreenMachine machine;
  const std::string before = test::folderSnapshot(machine.work.path().string());
  Tfrmkelvoupdate& screen = machine.show(false);
  EXPECT_TRUE(machine.messages.empty());
  EXPECT_EQ(screen.preparationOutcome(), PreparationOutcome::NotConfirmed);
  EXPECT_EQ(screen.PROGR.toStdString(), machine.path("Program Files"));  // the registry is read
  EXPECT_EQ(screen.CheckListBox1->count(), 0);
  expectEndedEarly(screen, false);
  EXPECT_EQ(test::folderSnapshot(machine.work.path().string()), before);
}

TEST(MainScreen, MissingArchiverSendsTheOperatorToTheDownload) {
  const std::string message =
      "Favor fazer a instalação do Winrar Primeiro. Voce será redirecionado para o download.";
  {
    MainScreenMachine machine;
    machine.registryNames("Programas");
    Tfrmkelvoupdate& screen = machine.show();
    ASSERT_EQ(machine.messages.size(), 1u);
    EXPECT_EQ(machine.messages[0].text, message);
    EXPECT_EQ(machine.messages[0].title, "KelvoUpdate");
    EXPECT_EQ(machine.messages[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(machine.shell.opened(), kDownload);
    EXPECT_EQ(screen.preparationOutcome(), PreparationOutcome::ArchiverMissing);
    expectEndedEarly(screen, false);
  }
  {
    // (x86) and no archiver in either folder: the folder read stays.
    MainScreenMachine machine;
    machine.registryNames("Program Files (x86)");
    std::filesystem::remove_all(machine.path("Program Files"));
    Tfrmkelvoupdate& screen = machine.show();
    EXPECT_EQ(texts(machine.messages), std::vector<std::string>{message});
    EXPECT_EQ(screen.PROGR.toStdString(), machine.path("Program Files (x86)"));
    EXPECT_EQ(machine.shell.opened(), kDownload);
    expectEndedEarly(screen, false);
  }
}

TEST(MainScreen, X86FolderFindsTheArchiverInTheFolderBeside) {
  MainScreenMachine machine;
  machine.registryNames("Program Files (x86)");
  Tfrmkelvoupdate& screen = machine.show();
  EXPECT_TRUE(machine.messages.empty());
  EXPECT_EQ(screen.PROGR.toStdString(), machine.path("Program Files"));
  EXPECT_EQ(screen.preparationOutcome(), PreparationOutcome::Ready);
}

TEST(MainScreen, MissingMainExecutableOrSettingsFileEndsBeforeTheWaitScreen) {
  {
    MainScreenMachine machine;
    std::filesystem::remove(machine.work.path() / "Sys_Tavrela.exe");
    Tfrmkelvoupdate& screen = machine.show();
    EXPECT_EQ(texts(machine.messages),
              std::vector<std::string>{"Arquivo Sys_Tavrela.exe não encontrado nesta pasta que "
                                       "você executou o atualiza_quarvessa.exe"});
    EXPECT_EQ(screen.Label9->text().toStdString(), "Label7");
    expectEndedEarly(screen, false);
  }
  {
    MainScreenMachine machine;
    std::filesystem::remove(machine.work.path() / "Sys_Info.INI");
    Tfrmkelvoupdate& screen = machine.show();
    EXPECT_EQ(texts(machine.messages),
              std::vector<std::string>{"Arquivo Sys_Info.ini não encontrado nesta pasta que "
                                       "você executou o atualiza_quarvessa.exe"});
    expectEndedEarly(screen, false);
  }
}

TEST(MainScreen, OnlyTheOldExecutableIsEnough) {
  MainScreenMachine machine;
  std::filesystem::rename(machine.work.path() / "Sys_Tavrela.exe",
                          machine.work.path() / "Sys_Tavrela.old");
  Tfrmkelvoupdate& screen = machine.show();
  EXPECT_TRUE(machine.messages.empty());
  EXPECT_EQ(screen.Label9->text().toStdString(), "Sys_Tavrela.exe - Será atualizado");
  EXPECT_EQ(screen.preparationOutcome(), PreparationOutcome::Ready);
}

TEST(MainScreen, TheAliasIsCharacters15To44OfTheSettingsLine) {
  MainScreenMachine machine;
  machine.addAlias("LOJA CENTRAL", machine.client_database);
  machine.work.write("Sys_Info.INI", "12345678901234  LOJA CENTRAL                XYZ\r\n");
  Tfrmkelvoupdate& screen = machine.show();
  EXPECT_TRUE(machine.messages.empty());
  ASSERT_EQ(screen.CheckListBox1->count(), 1);
  EXPECT_EQ(screen.CheckListBox1->item(0)->text().toStdString(), "LOJA CENTRAL");
  EXPECT_EQ(screen.CheckListBox1->item(0)->checkState(), Qt::Checked);
}

TEST(MainScreen, AnUnknownAliasEndsWithTheWaitScreenCreated) {
  {
    MainScreenMachine machine;
    machine.work.write("Sys_Info.INI", "[BASE] ALIAS= NOPE\r\n");
    Tfrmkelvoupdate& screen = machine.show();
    // The second line says where the alias was looked for.
    const std::vector<std::string> shown = texts(machine.messages);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].substr(0, shown[0].find('\n')), "Alias NOPE do BDE não encontrado.");
    EXPECT_NE(shown[0].find("\nUnknown alias 'NOPE' (alias file "), std::string::npos) << shown[0];
    EXPECT_EQ(screen.CheckListBox1->item(0)->checkState(), Qt::Unchecked);
    expectEndedEarly(screen, true);
  }
  {
    MainScreenMachine machine;
    machine.work.write("Sys_Info.INI", "[BASE]\r\nALIAS= LOJA\r\n");  // first line too short
    Tfrmkelvoupdate& screen = machine.show();
    EXPECT_EQ(texts(machine.messages), std::vector<std::string>{"Alias  do BDE não encontrado."});
    expectEndedEarly(screen, true);
  }
}

TEST(MainScreen, AMalformedAliasIsNamedWithItsFileAndLine) {
  MainScreenMachine machine;
  machine.addAliasText("[TORTA]\nSERVER NAME=/srv/torta.fdb\n");  // no DRIVER line
  machine.work.write("Sys_Info.INI", "[BASE] ALIAS= TORTA\r\n");
  Tfrmkelvoupdate& screen = machine.show();
  const std::vector<std::string> shown = texts(machine.messages);
  ASSERT_EQ(shown.size(), 1u);
  const std::string first = "Alias TORTA do BDE não encontrado.\n";
  EXPECT_EQ(shown[0].substr(0, first.size()), first);
  EXPECT_NE(shown[0].find("aliases.ini:"), std::string::npos) << shown[0];
  EXPECT_NE(shown[0].find("DRIVER"), std::string::npos) << shown[0];
  expectEndedEarly(screen, true);
}

TEST(MainScreen, AnUnreachableCatalogueEndsWithEveryConnectionClosed) {
  MainScreenMachine machine;
  machine.catalogueUnreachable();
  Tfrmkelvoupdate& screen = machine.show();
  EXPECT_EQ(texts(machine.messages),
            std::vector<std::string>{"Conexão com o MYSQL da internet não localizado."});
  EXPECT_EQ(screen.preparationOutcome(), PreparationOutcome::CatalogueUnreachable);
  expectEndedEarly(screen, true);
}

TEST(MainScreen, AMissingClientDatabaseClosesTheCatalogueToo) {
  MainScreenMachine machine;
  const std::string missing = machine.path("nowhere/loja.fdb");
  machine.addAlias("SUMIDA", missing);
  machine.work.write("Sys_Info.INI", "[BASE] ALIAS= SUMIDA\r\n");
  Tfrmkelvoupdate& screen = machine.show();
  EXPECT_EQ(texts(machine.messages),
            std::vector<std::string>{"Alias SUMIDA encontrado, mas arquivo apontado por ele " +
                                     missing + " não foi encontrado."});
  EXPECT_EQ(screen.preparationOutcome(), PreparationOutcome::ClientDatabaseUnreachable);
  expectEndedEarly(screen, true);
}

}  // namespace
}  // namespace kelvo
