// The confirmation screen's own logic, on real widgets.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPainter>
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

TEST(Confirmation, EnterOnACheckBoxPressesNoButton) {
  TempFolder folder;
  WorkingFolder cwd(folder.path());
  TForm1 form;
  form.show();
  form.CheckBox1->click();
  form.CheckBox2->click();
  ASSERT_TRUE(form.BitBtn1->isEnabled());
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    QTest::keyClick(form.CheckBox2, key);
    EXPECT_EQ(form.Tag(), 0);
    EXPECT_TRUE(form.isVisible());
  }
  // The button itself still answers the keyboard: Enter once it has the focus.
  form.BitBtn1->setFocus();
  QTest::keyClick(form.BitBtn1, Qt::Key_Return);
  EXPECT_EQ(form.Tag(), 1);
}

// Counts the pixels of IMAGE inside AREA for which TEST holds.
template <typename Test>
int countPixels(const QImage& image, const QRect& area, Test test) {
  int n = 0;
  const QRect inside = area.intersected(image.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) n += test(image.pixel(x, y));
  }
  return n;
}

bool isDark(QRgb p) { return qRed(p) < 96 && qGreen(p) < 96 && qBlue(p) < 96; }

// Returns how many columns of IMAGE inside AREA lie from the first to the
// last one holding a dark pixel.
int darkSpan(const QImage& image, const QRect& area) {
  int first = -1;
  int last = -1;
  for (int x = area.left(); x <= area.right(); ++x) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
      if (!isDark(image.pixel(x, y))) continue;
      if (first < 0) first = x;
      last = x;
      break;
    }
  }
  return first < 0 ? 0 : last - first + 1;
}

TEST(ConfirmationLooks, QuarvessaShowsWholeInsideTheWindow) {
  TForm1 form;
  const QImage shot = form.grab().toImage();
  // The word alone in its font, with room to spare on every side.
  QImage alone(700, 100, QImage::Format_RGB32);
  alone.fill(Qt::white);
  {
    QPainter painter(&alone);
    painter.setFont(form.Label2->font());
    painter.setPen(Qt::black);
    painter.drawText(QRect(100, 0, 600, 100), Qt::AlignLeft | Qt::AlignVCenter, "Quarvessa");
  }
  const int whole = countPixels(alone, alone.rect(), isDark);
  const int shown = countPixels(shot, QRect(450, 0, 456, 60), isDark);
  EXPECT_GT(whole, 500);
  EXPECT_GE(shown, whole * 97 / 100) << "shown " << shown << " of " << whole;
  EXPECT_NEAR(darkSpan(shot, QRect(450, 0, 456, 60)), darkSpan(alone, alone.rect()), 1);
  EXPECT_LE(form.Label2->geometry().right(), 905);
}

TEST(ConfirmationLooks, DisabledContinuarLooksDisabled) {
  TForm1 form;
  const auto darkText = [&] {
    const QImage button = form.BitBtn1->grab().toImage();
    return countPixels(button, button.rect(), isDark);
  };
  ASSERT_FALSE(form.BitBtn1->isEnabled());
  const int disabled = darkText();
  form.BitBtn1->setEnabled(true);
  const int enabled = darkText();
  EXPECT_GT(enabled, 100);
  EXPECT_LT(disabled, enabled / 4) << "disabled " << disabled << ", enabled " << enabled;
}

// Returns the middle, across, of the pixels of COLOR inside AREA.
double inkCentre(const QImage& image, const QRect& area, QRgb color) {
  int left = area.right();
  int right = area.left();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if ((image.pixel(x, y) & 0xFFFFFF) != (color & 0xFFFFFF)) continue;
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  return (left + right) / 2.0;
}

TEST(ConfirmationLooks, BannersSitInTheMiddleOfTheirDesignedBoxes) {
  TForm1 confirmation;
  const QRect confirmation_box(6, 26, 889, 528);
  EXPECT_NEAR(inkCentre(confirmation.grab().toImage(), confirmation_box, qRgb(255, 255, 255)),
              confirmation_box.center().x(), 4);

  TForm2 error;
  const QRect error_box(96, 0, 635, 234);
  EXPECT_NEAR(inkCentre(error.grab().toImage(), error_box, qRgb(255, 255, 0)),
              error_box.center().x(), 4);
}

}  // namespace
}  // namespace kelvo
