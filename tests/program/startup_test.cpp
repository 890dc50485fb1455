// The whole start-up sequence, driven as an operator would drive it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <cstdlib>
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

// Returns how many pixels of IMAGE inside AREA are exactly COLOR.
int pixelsOf(const QImage& image, const QRect& area, QRgb color) {
  int n = 0;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      n += (image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
    }
  }
  return n;
}

// Returns the top-left corner of the first column of COLOR in IMAGE (the
// backdrop's first band marks the window's left edge), or (-1, -1).
QPoint firstOf(const QImage& image, QRgb color) {
  for (int x = 0; x < image.width(); ++x) {
    for (int y = 0; y < image.height(); ++y) {
      if ((image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF)) return {x, y};
    }
  }
  return {-1, -1};
}

TEST(StartUpOnDisplay, TheRealProgramDrawsTheConfirmationBanner) {
  const char* source = std::getenv("KELVO_SOURCE_DIR");
  const char* binary = std::getenv("KELVO_BINARY_DIR");
  ASSERT_TRUE(source != nullptr && binary != nullptr);
  TempFolder folder;  // nothing in it: the confirmation screen stays up
  const QString shot_path = QString::fromStdString((folder.path() / "screen.png").string());

  QProcess capture;
  capture.setWorkingDirectory(QString::fromStdString(folder.path().string()));
  capture.setProcessChannelMode(QProcess::ForwardedChannels);
  capture.start(
      QString::fromUtf8(source) + "/tests/support/xcb-capture",
      {shot_path, "3", "--", QString::fromUtf8(binary) + "/src/program/atualiza_quarvessa"});
  ASSERT_TRUE(capture.waitForFinished(120000));
  ASSERT_EQ(capture.exitCode(), 0);
  const QImage shot(shot_path);
  ASSERT_EQ(shot.size(), QSize(1024, 768));

  // The same screen drawn here, with the same start-up settings, gives the
  // count of the banner's white glyph pixels to expect.
  TForm1 here;
  const QRect banner_box(6, 26, 889, 528);
  const int expected = pixelsOf(here.grab().toImage(), banner_box, qRgb(255, 255, 255));
  ASSERT_GT(expected, 20000);

  const QPoint window = firstOf(shot, qRgb(202, 101, 0));
  ASSERT_GE(window.x(), 0) << "the confirmation screen is not on the display";
  const int drawn = pixelsOf(shot, banner_box.translated(window), qRgb(255, 255, 255));
  EXPECT_GE(drawn, expected * 9 / 10)
      << "banner pixels on the display: " << drawn << " of " << expected;
  EXPECT_LE(drawn, expected * 11 / 10);
}

}  // namespace
}  // namespace kelvo
