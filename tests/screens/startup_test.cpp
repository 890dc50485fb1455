// The whole start-up sequence, driven as an operator would drive it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <filesystem>

#include "program/Atualiza_Quarvessa.h"
#include "screens/modal_driver.h"
#include "screens/unit1.h"
#include "screens/unit2.h"
#include "screens/untfrmkelvoupdate.h"
#include "support/temp_folder.h"

namespace kelvo {
namespace {

using test::folderSnapshot;
using test::TempFolder;
using test::whenShown;
using test::WorkingFolder;

int runProgram() { return Atualiza_Quarvessa(*qApp); }

TEST(StartUp, ContinuarBringsUpTheMainScreen) {
  // An empty folder: the main screen comes up, its preparation finds no main
  // executable, says so, and the program ends.
  TempFolder folder;
  WorkingFolder cwd(folder.path());
  bool main_screen_seen = false;
  bool confirmation_visible = true;
  std::string message;
  whenShown<TForm1>([&](TForm1* form) {
    form->CheckBox1->click();
    form->CheckBox2->click();
    form->BitBtn1->click();
    whenShown<QMessageBox>([&](QMessageBox* box) {
      confirmation_visible = false;
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<Tfrmkelvoupdate*>(w) && w->isVisible()) main_screen_seen = true;
        if (qobject_cast<TForm1*>(w) && w->isVisible()) confirmation_visible = true;
      }
      message = box->text().toStdString();
      box->button(QMessageBox::Ok)->click();
    });
  });
  EXPECT_EQ(runProgram(), 0);
  EXPECT_TRUE(main_screen_seen);
  EXPECT_FALSE(confirmation_visible);
  EXPECT_EQ(message,
            "Arquivo Sys_Tavrela.exe não encontrado nesta pasta que você executou o "
            "atualiza_quarvessa.exe");
}

TEST(StartUp, SairAndTheCloseBoxEndTheProgramTouchingNothing) {
  for (const bool use_close_box : {false, true}) {
    TempFolder folder;
    folder.write("Sys_Tavrela.exe", "program");
    folder.write("Sys_Info.INI", "[x]\r\n");
    const std::string before = folderSnapshot(folder.path().string());
    WorkingFolder cwd(folder.path());
    whenShown<TForm1>([&](TForm1* form) {
      form->CheckBox1->click();
      form->CheckBox2->click();
      if (use_close_box) {
        form->close();
      } else {
        form->Button3->click();
      }
    });
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(folderSnapshot(folder.path().string()), before);
  }
}

// Starts the program in a folder holding ENTRIES (names ending in '/' are
// folders) and returns the file name the error screen showed, or "" when the
// confirmation screen came up instead.
std::string gateShows(const std::vector<std::string>& entries) {
  TempFolder folder;
  for (const std::string& entry : entries) {
    if (!entry.empty() && entry.back() == '/') {
      std::filesystem::create_directory(folder.path() / entry.substr(0, entry.size() - 1));
    } else {
      folder.write(entry, "/* ERRO: \r\n");
    }
  }
  const std::string before = folderSnapshot(folder.path().string());
  WorkingFolder cwd(folder.path());
  std::string shown;
  whenShown<TForm1>([&](TForm1* form) {
    if (!form->Timer1->isActive()) {
      form->Button3->click();  // nothing blocks: leave by "&Sair"
      return;
    }
    whenShown<TForm2>([&](TForm2* error) {
      shown = error->Label1->text().toStdString();
      error->Button3->click();
    });
  });
  EXPECT_EQ(runProgram(), 0);
  EXPECT_EQ(folderSnapshot(folder.path().string()), before) << "the gate must delete nothing";
  return shown;
}

TEST(StartUp, EveryKindOfFailureRecordBlocksTheUpdate) {
  const std::string prefix = "SCRIPT EM EXECUÇÃO SALVO: ";
  EXPECT_EQ(gateShows({"SCRIPT_ERRO_DT_05-03-2024_HR_14-07-09 M-LOJA.TXT"}),
            prefix + "SCRIPT_ERRO_DT_05-03-2024_HR_14-07-09 M-LOJA.TXT");
  EXPECT_EQ(gateShows({"SCRIPT_ERRO_FOLDER/"}), prefix + "SCRIPT_ERRO_FOLDER");
  EXPECT_EQ(gateShows({"script_erro_minusculo.txt"}), prefix + "script_erro_minusculo.txt");
  EXPECT_EQ(gateShows({"SCRIPT_ERRO"}), prefix + "SCRIPT_ERRO");
  EXPECT_EQ(gateShows({"SCRIPT_ERRO_DT_06-03-2024_HR_10-00-00 M-LOJA.TXT",
                       "SCRIPT_ERRO_DT_05-03-2024_HR_10-00-00 M-LOJA.TXT", "other.txt"}),
            prefix + "SCRIPT_ERRO_DT_05-03-2024_HR_10-00-00 M-LOJA.TXT");
  EXPECT_EQ(gateShows({"SCRIPT_ERRO_ação_中文.TXT"}), prefix + "SCRIPT_ERRO_ação_中文.TXT");
}

TEST(StartUp, DotNamesAndLookAlikesNeverBlock) {
  EXPECT_EQ(gateShows({}), "");
  EXPECT_EQ(gateShows({".SCRIPT_ERRO.TXT", "XSCRIPT_ERRO.TXT", "SCRIPT_ERR.TXT"}), "");
}

}  // namespace
}  // namespace kelvo
