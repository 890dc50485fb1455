// The confirmation screen's own logic, on real widgets.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "screens/unit1.h"
#include "screens/unit2.h"
#include "support/temp_folder.h"

namespace kelvo {
namespace {

using test::TempFolder;
using test::WorkingFolder;

TEST(Confirmation, OnlyBothBoxesEnableContinuar) {
  TempFolder folder;
  WorkingFolder cwd(folder.path());
  TForm1 form;
  form.show();
  EXPECT_FALSE(form.BitBtn1->isEnabled());
  EXPECT_FALSE(form.Timer1->isActive());  // clean folder: no error screen coming

  QTest::mouseClick(form.CheckBox1, Qt::LeftButton);
  EXPECT_TRUE(form.CheckBox1->isChecked());
  EXPECT_FALSE(form.BitBtn1->isEnabled());
  QTest::mouseClick(form.CheckBox2, Qt::LeftButton);
  EXPECT_TRUE(form.BitBtn1->isEnabled());
  QTest::mouseClick(form.CheckBox1, Qt::LeftButton);
  EXPECT_FALSE(form.BitBtn1->isEnabled());
  QTest::keyClick(form.CheckBox1, Qt::Key_Space);  // the keyboard ticks it too
  EXPECT_TRUE(form.BitBtn1->isEnabled());
  QTest::mouseClick(form.CheckBox2, Qt::LeftButton);
  EXPECT_FALSE(form.BitBtn1->isEnabled());
  EXPECT_EQ(form.Tag(), 0);
}

TEST(Confirmation, ContinuarConfirmsAndSairDoesNot) {
  TempFolder folder;
  WorkingFolder cwd(folder.path());
  TForm1 confirmed;
  confirmed.show();
  confirmed.CheckBox1->click();
  confirmed.CheckBox2->click();
  confirmed.BitBtn1->click();
  EXPECT_EQ(confirmed.Tag(), 1);
  EXPECT_FALSE(confirmed.isVisible());

  TForm1 abandoned;
  abandoned.show();
  abandoned.CheckBox1->click();
  abandoned.CheckBox2->click();
  abandoned.Button3->click();
  EXPECT_EQ(abandoned.Tag(), 0);
  EXPECT_FALSE(abandoned.isVisible());
}

TEST(Confirmation, ScreensCarryTheirCaptionsAndGeometry) {
  TempFolder folder;
  WorkingFolder cwd(folder.path());
  TForm1 form;
  EXPECT_EQ(form.windowTitle(), QString::fromUtf8("Atualização"));
  EXPECT_EQ(form.size(), QSize(906, 610));
  EXPECT_EQ(form.BitBtn1->text(), "&Continuar  ");
  EXPECT_EQ(form.BitBtn1->geometry(), QRect(629, 567, 139, 38));
  EXPECT_EQ(form.Button3->text(), "&Sair");
  EXPECT_EQ(form.Timer1->interval(), 100);

  TForm2 error;
  EXPECT_EQ(error.windowTitle(), "Erro");
  EXPECT_EQ(error.size(), QSize(826, 266));
  EXPECT_EQ(error.Label1->text(), QString::fromUtf8("SCRIPT EM EXECUÇÃO SALVO:"));
  EXPECT_EQ(error.Button3->text(), "&Cont..");
}

TEST(ListaArquivos, SortsWithoutCaseAndSkipsDotNames) {
  TempFolder folder;
  folder.write("b.txt", "");
  folder.write("A.txt", "");
  folder.write("c", "");
  folder.write(".a.txt", "");
  WorkingFolder cwd(folder.path());
  QStringList list{"existing"};
  TForm1::ListaArquivos("*.*", list);
  EXPECT_EQ(list, (QStringList{"A.txt", "b.txt", "c", "existing"}));

  QStringList none;
  TForm1::ListaArquivos("SCRIPT_ERRO*.*", none);
  EXPECT_TRUE(none.isEmpty());
}

}  // namespace
}  // namespace kelvo
