// A whole update through the real main screen: preparation, "&Atualizar
// agora", files from the real FTP server, the archiver, the wait screen's
// script run on a real client database, and the final status line.
#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <fstream>

#include "access/ftp/ftp_download_file.h"
#include "archiver/archive_writer.h"
#include "screens/main_screen_support.h"
#include "screens/uAguarde.h"
#include "screens/untfrmkelvoupdate.h"
#include "update/file_update_run.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;

// The main screen's machine with the real archiver, a released script and
// the update FTP server, answering message boxes for the whole test.
class MainScreenUpdate : public ::testing::Test, public test::MainScreenMachine {
 protected:
  MainScreenUpdate() {
    installArchiver("Program Files");
    local("Sys_Tavrela.exe", "previous exe", base_);
    catalog_.addScript("QUARVESSA", "0001", "CREATE TABLE T1 (A INTEGER);\r\n");
    useUpdateServer();
  }

  // Shows the screen confirmed, as the start-up does, and waits for its
  // preparation.
  Tfrmkelvoupdate& show() {
    Tfrmkelvoupdate& screen = MainScreenMachine::show();
    EXPECT_EQ(screen.preparationOutcome(), PreparationOutcome::Ready);
    return screen;
  }

  // Returns the number of rows of table TABLE in the client database.
  long long rows(const std::string& table) {
    return std::stoll(column(kStoreAlias, "SELECT COUNT(*) V FROM " + table).front());
  }

  test::WorkingFolder cwd_{work_.path()};
  std::vector<test::SeenMessage> messages_;
  test::MessageAnswerer answerer_{messages_};
};

TEST_F(MainScreenUpdate, AtualizarAgoraMirrorsExtractsAppliesTheScriptsAndSaysSo) {
  std::ofstream(served("a.txt")) << std::string(300000, 'a');
  test::writeArchive(served("Sys_Tavrela.rar").string(), {{"Sys_Tavrela.exe", "fresh exe"}});
  Tfrmkelvoupdate& screen = show();
  std::vector<std::string> panel;
  // A listener of the FTP client hears each event after the screen showed it.
  screen.ftpupdate.OnStatus = [&](FtpClient&, TFtpStatus, const std::string&) {
    panel.push_back(screen.StatusPanel0->text().toStdString());
  };

  screen.Button1->click();

  EXPECT_TRUE(messages_.empty()) << messages_.front().text;
  EXPECT_EQ(screen.lblstatus->text().toStdString(), kStatusSuccess);
  EXPECT_EQ(screen.lblcontador->text(), "");
  EXPECT_EQ(screen.Label3->text(), "");
  EXPECT_EQ(screen.Gauge1->value(), 0);
  EXPECT_TRUE(screen.Button1->isEnabled());
  EXPECT_EQ(screen.TreeView3->topLevelItemCount(), 2);
  EXPECT_EQ(test::readFile(work_.path() / "a.txt"), std::string(300000, 'a'));
  EXPECT_EQ(test::readFile(work_.path() / "Sys_Tavrela.exe"), "fresh exe");
  EXPECT_EQ(test::readFile(work_.path() / "Sys_Tavrela.old"), "previous exe");
  ASSERT_FALSE(panel.empty());
  EXPECT_EQ(panel.front(), "Conectando..");
  EXPECT_EQ(panel.back(), "Desconectado!");
  EXPECT_EQ(screen.aguarde->Tag(), 0);
  EXPECT_EQ(rows("T1"), 0);  // the released script ran
  EXPECT_EQ(rows("VERSAO"), 1);

  // Nothing new: no download, the scripts are up to date, success again.
  screen.Button1->click();
  EXPECT_EQ(screen.lblstatus->text().toStdString(), kStatusSuccess);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(MainScreenUpdate, AFailedDownloadTurnsItsRowRedAndAsksToTryAgain) {
  fs::create_directory(served("pasta"));  // a folder cannot be fetched as a file
  Tfrmkelvoupdate& screen = show();
  screen.Button1->click();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].icon, QMessageBox::Information);
  EXPECT_EQ(screen.TreeView3->topLevelItem(0)->icon(0).cacheKey(), screen.ImageList1[4].cacheKey());
  EXPECT_EQ(screen.lblstatus->text().toStdString(), kStatusRetry);
  EXPECT_EQ(screen.aguarde->Tag(), 0);
  EXPECT_FALSE(fs::exists(work_.path() / "pasta"));
  EXPECT_THROW(rows("VERSAO"), std::exception);  // the scripts were skipped
}

TEST_F(MainScreenUpdate, SairDuringATransferDisconnectsClosesAndLeavesNoPartialFile) {
  std::ofstream(served("big.bin")) << std::string(8 << 20, 'b');
  Tfrmkelvoupdate& screen = show();
  bool clicked = false;
  screen.ftpupdate.OnWork = [&](FtpClient&, TWorkMode, std::int64_t) {
    if (!clicked && screen.Label3->text() == "big.bin") {
      // The operator's click, handled while the work handler lets events run.
      clicked = true;
      QMetaObject::invokeMethod(screen.Button3, "click", Qt::QueuedConnection);
    }
  };
  screen.Button1->click();
  EXPECT_TRUE(clicked);
  EXPECT_FALSE(screen.isVisible());
  EXPECT_FALSE(screen.ftpupdate.Connected());
  EXPECT_EQ(screen.aguarde, nullptr);  // freed when the screen closed
  EXPECT_TRUE(messages_.empty()) << messages_.front().text;
  EXPECT_EQ(screen.lblstatus->text().toStdString(), kStatusRetry);
  EXPECT_FALSE(fs::exists(work_.path() / "big.bin"));
}

// The close box is the window's own: closing the screen the way the window
// system does while a download runs must end the run as "&Sair" does.
TEST_F(MainScreenUpdate, TheCloseBoxDuringATransferEndsTheRunAsSairDoes) {
  std::ofstream(served("big.bin")) << std::string(8 << 20, 'b');
  std::ofstream(served("outro.dat")) << std::string(8 << 20, 'o');
  test::writeArchive(served("Sys_Tavrela.rar").string(), {{"Sys_Tavrela.exe", "fresh exe"}});
  Tfrmkelvoupdate& screen = show();
  bool closed = false;
  screen.ftpupdate.OnWork = [&](FtpClient&, TWorkMode, std::int64_t) {
    if (!closed) {
      closed = true;
      // What the close box sends, handled while the work handler lets events run.
      QMetaObject::invokeMethod(&screen, "close", Qt::QueuedConnection);
    }
  };
  screen.Button1->click();
  EXPECT_TRUE(closed);
  EXPECT_FALSE(screen.isVisible());
  EXPECT_FALSE(screen.ftpupdate.Connected());
  EXPECT_EQ(screen.aguarde, nullptr);
  EXPECT_TRUE(messages_.empty()) << messages_.front().text;
  EXPECT_EQ(screen.lblstatus->text().toStdString(), kStatusRetry);
  // No file after the close, not even the one in transfer; no archiver; no scripts.
  for (const char* name : {"big.bin", "outro.dat", "Sys_Tavrela.rar", "Sys_Tavrela.old"}) {
    EXPECT_FALSE(fs::exists(work_.path() / name)) << name;
  }
  EXPECT_EQ(test::readFile(work_.path() / "Sys_Tavrela.exe"), "previous exe");
  EXPECT_THROW(rows("VERSAO"), std::exception);
  for (const auto& entry : fs::directory_iterator(work_.path())) {
    EXPECT_FALSE(isFtpTemporaryName(entry.path().filename().string())) << entry.path();
  }
}

}  // namespace
}  // namespace kelvo
