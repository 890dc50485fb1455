// A whole update through the real main screen: preparation, "&Atualizar
// agora", files from the real FTP server, the archiver, the wait screen's
// script run on a real client database, and the final status line.
#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <cstdlib>
#include <fstream>

#include "access/catalogue/catalog_fixture.h"
#include "access/catalogue/desembaralha.h"
#include "access/interbase/ib_test_database.h"
#include "archiver/archive_writer.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/hex_text.h"
#include "screens/main_screen_support.h"
#include "screens/uAguarde.h"
#include "screens/unit1.h"
#include "screens/untfrmkelvoupdate.h"
#include "support/scoped_env.h"
#include "support/services.h"
#include "update/file_update_run.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;

class MainScreenUpdate : public ::testing::Test {
 protected:
  MainScreenUpdate() {
    const std::string programs = (machine_.path() / "Program Files").string();
    const std::string install = test::sourceFolder() + "/scripts/install-archiver \"" + programs +
                                "\" " + std::getenv("KELVO_BINARY_DIR");
    EXPECT_EQ(std::system(install.c_str()), 0);
    machine_.write("registry.reg",
                   "Windows Registry Editor Version 5.00\r\n\r\n"
                   "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\r\n"
                   "\"ProgramFilesDir\"=\"" +
                       programs + "\"\r\n");
    database_ = (machine_.path() / "loja.fdb").string();
    test::createDialect1Database(database_);
    const std::string scrambled = utf16ToUtf8(Embaralha(u"secret", 2));
    catalog_.execute("INSERT INTO principal (senha_ftp) VALUES (CONVERT(X'" + toHex(scrambled) +
                     "' USING utf8mb4))");
    catalog_.addScript("QUARVESSA", "0001", "CREATE TABLE T1 (A INTEGER);\r\n");
    aliases_ = std::make_unique<AliasFileRegistry>(
        test::writeCatalogAliasFile(machine_, catalog_.name(),
                                    "[LOJA]\nDRIVER=INTRBASE\nSERVER NAME=" + database_ + "\n")
            .string());
    work_.write("Sys_Tavrela.exe", "previous exe");
    work_.write("Sys_Info.INI", "[BASE] ALIAS= LOJA\r\n");
    work_.write("atualiza.cfg",
                "127.0.0.1\r\n" + test::serviceValue("update_ftp", "port") + "\r\n");
    fs::remove(fs::path(test::serviceFolder("update_ftp")) / "odd-listing");
    fs::remove_all(served(""));
    fs::create_directories(served(""));
  }

  fs::path served(const std::string& name) const {
    return fs::path(test::serviceValue("update_ftp", "root")) / "quarvessa" / name;
  }

  // Shows the screen confirmed, as the start-up does, and waits for its
  // preparation.
  Tfrmkelvoupdate& show() {
    screen_ = std::make_unique<Tfrmkelvoupdate>(nullptr, *aliases_);
    auto* confirmation = new TForm1();
    confirmation->BitBtn1Click();
    screen_->setConfirmationScreen(confirmation);
    screen_->show();
    EXPECT_EQ(screen_->preparationOutcome(), PreparationOutcome::Ready);
    return *screen_;
  }

  // Returns the number of rows of table TABLE in the client database.
  long long rows(const std::string& table) {
    ClientConnection client;
    client.IBDatabase1.setDatabaseName(database_);
    client.IBDatabase1.open();
    client.IBQuery1.setSqlText("SELECT COUNT(*) CT FROM " + table);
    client.IBQuery1.open();
    const long long count = client.IBQuery1.fieldByName("CT").asInteger();
    client.IBQuery1.close();
    client.IBDatabase1.close();
    return count;
  }

  test::TempFolder machine_, work_;
  test::ScopedEnv registry_env_{"KELVOUPDATE_REGISTRY",
                                (machine_.path() / "registry.reg").string()};
  test::ScratchCatalog catalog_;
  std::string database_;
  std::unique_ptr<AliasFileRegistry> aliases_;
  test::WorkingFolder cwd_{work_.path()};
  std::vector<test::SeenMessage> messages_;
  test::MessageAnswerer answerer_{messages_};
  std::unique_ptr<Tfrmkelvoupdate> screen_;
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

}  // namespace
}  // namespace kelvo
