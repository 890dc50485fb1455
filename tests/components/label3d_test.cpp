// TmyLabel3D painted on images and driven by mouse and click: effect copies,
// frames, rotation, layout, property writes and the link behaviour.
#include "components/label3d.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QTest>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>
#include <thread>

#include "components/qt_color.h"
#include "components/render_support.h"
#include "support/temp_folder.h"

namespace kelvo {
namespace {

using test::paintOf;
using test::pixelAt;

// A black, opaque label with a large bold caption drawn without smoothing,
// so that every pixel is either text or background.
void makeBanner(TmyLabel3D& label, const QString& caption = QStringLiteral("HI")) {
  label.SetAutoSize(false);
  label.resize(120, 70);
  label.SetTransparent(false);
  label.SetColor(clBlack);
  ComponentFont font;
  font.face = QFont(QStringLiteral("DejaVu Sans"));
  font.face.setPixelSize(40);
  font.face.setBold(true);
  font.face.setStyleStrategy(QFont::NoAntialias);
  font.color = clWhite;
  label.SetFont(font);
  label.SetCaption(caption);
}

// Returns the label painted with only its main pass, in COLOR.
QImage mainPassOnly(TmyLabel3D& label, ColorValue color) {
  const TTextStyle style = label.TextStyle();
  ComponentFont font = label.Font();
  const ColorValue saved = font.color;
  font.color = color;
  label.SetFont(font);
  label.SetTextStyle(tsNone);
  QImage image = paintOf(label);
  label.SetTextStyle(style);
  font.color = saved;
  label.SetFont(font);
  return image;
}

int inkCount(const QImage& image, ColorValue color) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += pixelAt(image, x, y) == color;
  }
  return n;
}

// Makes LABEL an empty 100 x 40 box with a red border.
void makeRedFramedBox(TmyLabel3D& label) {
  label.SetAutoSize(false);
  label.resize(100, 40);
  label.SetCaption(QString());
  label.SetBorder(true);
  label.SetBorderColor(clRed);
}

TEST(Label3D, StartsWithItsDocumentedValues) {
  TmyLabel3D label;
  EXPECT_EQ(label.size(), QSize(65, 17));
  EXPECT_TRUE(label.AutoSize());
  EXPECT_TRUE(label.ShowAccelChar());
  EXPECT_EQ(label.Alignment(), taLeftJustify);
  EXPECT_EQ(label.Layout(), tlTop);
  EXPECT_FALSE(label.WordWrap());
  EXPECT_EQ(label.BorderColor(), clRed);
  EXPECT_EQ(label.BorderPenStyle(), psSolid);
  EXPECT_EQ(label.BorderWidth(), 1);
  EXPECT_FALSE(label.Border());
  EXPECT_EQ(label.BorderType(), btDefault);
  EXPECT_EQ(label.Escapement(), 0);
  EXPECT_EQ(label.TextStyle(), tsRaised);
  EXPECT_EQ(label.LabelStyle(), lsDefault);
  EXPECT_TRUE(label.Address().isEmpty());
  EXPECT_EQ(label.EllipsesStyle(), esNone);
  EXPECT_EQ(label.Shift(), 1);
  EXPECT_FALSE(label.Colored());
  EXPECT_EQ(label.ColorRecess(), clBtnShadow);
  EXPECT_EQ(label.ColorRaise(), clBtnHighlight);
  EXPECT_EQ(label.Font().face.family(), QStringLiteral("Arial"));
}

TEST(Label3D, PropertyWritesKeepTheirRules) {
  TmyLabel3D label;
  const struct { int written, held; } angles[] = {{-90, 270}, {370, 10}, {720, 360}};
  for (const auto& a : angles) {
    label.SetEscapement(a.written);
    EXPECT_EQ(label.Escapement(), a.held) << a.written;
  }
  label.SetEllipsesStyle(esEnd);
  EXPECT_FALSE(label.AutoSize());
  label.SetEllipsesStyle(esNone);
  EXPECT_FALSE(label.AutoSize());

  label.SetBorderPenStyle(psDashDot);
  EXPECT_EQ(label.BorderPenStyle(), psDashDot);
  EXPECT_EQ(label.CanvasPen().style(), Qt::DashDotLine);
  label.SetBorderWidth(4);
  EXPECT_EQ(label.CanvasPen().width(), 4);
  label.SetBorderColor(clBlue);
  EXPECT_EQ(label.CanvasPen().color(), toQColor(clBlue));

  label.SetColorRR(clMaroon, clBtnHighlight);
  EXPECT_EQ(label.ColorRecess(), clMaroon);
  EXPECT_EQ(label.ColorRaise(), clBtnHighlight);
}

TEST(Label3D, AutoSizeMeasuresThePlainCaptionWithinTheWidthWhenWrapping) {
  TmyLabel3D label;
  ComponentFont font = label.Font();
  font.face.setPixelSize(20);
  label.SetFont(font);
  label.SetCaption(QStringLiteral("one two three four five six"));
  const QFontMetrics metrics(font.face);
  EXPECT_EQ(label.width(), metrics.horizontalAdvance(label.Caption()));
  EXPECT_EQ(label.height(), metrics.height());

  label.resize(90, label.height());
  label.SetWordWrap(true);
  EXPECT_LE(label.width(), 90);
  EXPECT_GE(label.height(), 3 * metrics.height());
}

TEST(Label3D, RaisedStyleDrawsTheBorderColourCopyOneShiftDownRightUnderTheText) {
  TmyLabel3D label;
  makeBanner(label);
  label.SetTextStyle(tsRaised);
  label.SetBorderColor(clRed);
  label.SetShift(1);
  const QImage shape = mainPassOnly(label, clWhite);
  const QImage raised = paintOf(label);
  ASSERT_GT(inkCount(shape, clWhite), 100);
  int red = 0;
  for (int y = 0; y < raised.height(); ++y) {
    for (int x = 0; x < raised.width(); ++x) {
      const bool text = pixelAt(shape, x, y) == clWhite;
      const bool copy = x > 0 && y > 0 && pixelAt(shape, x - 1, y - 1) == clWhite;
      const ColorValue expected = text ? clWhite : copy ? clRed : clBlack;
      ASSERT_EQ(pixelAt(raised, x, y), expected) << x << "," << y;
      red += expected == clRed;
    }
  }
  EXPECT_GT(red, 10);

  label.SetShift(0);  // the copy lies exactly under the text
  EXPECT_EQ(paintOf(label), shape);
}

TEST(Label3D, EffectPassesUseTheirOwnColoursAndDirections) {
  TmyLabel3D label;
  makeBanner(label, QStringLiteral("I"));
  label.SetColorRR(clGreen, clBlue);
  label.SetTextStyle(tsHeavyRecessed);
  label.SetShift(-2);
  const QImage shape = mainPassOnly(label, clWhite);
  const QImage image = paintOf(label);
  // Pass 1 (raise colour) moves up-left for a negative shift, pass 2
  // (recess colour) down-right; the main text covers both.
  for (int y = 2; y < image.height() - 2; ++y) {
    for (int x = 2; x < image.width() - 2; ++x) {
      if (pixelAt(shape, x, y) == clWhite) {
        EXPECT_EQ(pixelAt(image, x, y), clWhite);
      } else if (pixelAt(shape, x - 2, y - 2) == clWhite) {
        EXPECT_EQ(pixelAt(image, x, y), clGreen) << x << "," << y;
      } else if (pixelAt(shape, x + 2, y + 2) == clWhite) {
        EXPECT_EQ(pixelAt(image, x, y), clBlue) << x << "," << y;
      }
    }
  }
  EXPECT_GT(inkCount(image, clGreen), 0);
  EXPECT_GT(inkCount(image, clBlue), 0);
}

TEST(Label3D, DisabledLabelDrawsItsTextInGreyTextColourButKeepsTheShadow) {
  TmyLabel3D label;
  makeBanner(label);
  label.SetColorRR(clMaroon, clWhite);
  label.SetTextStyle(tsShadow);
  label.setEnabled(false);
  const QImage image = paintOf(label);
  EXPECT_GT(inkCount(image, resolveColor(clGrayText)), 100);
  EXPECT_GT(inkCount(image, clMaroon), 10);
  EXPECT_EQ(inkCount(image, clWhite), 0);
}

TEST(Label3D, FramesOutlineFromTheTopLeftEachTwoPixelsSmaller) {
  TmyLabel3D label;
  makeRedFramedBox(label);
  QImage image = paintOf(label);
  // One frame: (0, 0)-(98, 38) with right and bottom exclusive.
  for (const QPoint p :
       {QPoint(0, 0), QPoint(97, 0), QPoint(0, 37), QPoint(97, 37), QPoint(50, 37)}) {
    EXPECT_EQ(pixelAt(image, p.x(), p.y()), clRed) << p.x() << "," << p.y();
  }
  for (const QPoint p : {QPoint(98, 0), QPoint(0, 38), QPoint(1, 1), QPoint(99, 39)}) {
    EXPECT_EQ(pixelAt(image, p.x(), p.y()), clBlack) << p.x() << "," << p.y();
  }

  label.SetBorderWidth(3);
  image = paintOf(label);
  // Three 3-pixel outlines whose right edges lie at 97, 95 and 93.
  for (int x = 92; x <= 98; ++x) EXPECT_EQ(pixelAt(image, x, 20), clRed) << x;
  EXPECT_EQ(pixelAt(image, 90, 20), clBlack);
  EXPECT_EQ(pixelAt(image, 99, 20), clBlack);

  label.SetBorderWidth(1);
  label.SetBorderType(btRecessed);
  image = paintOf(label);
  EXPECT_EQ(pixelAt(image, 0, 0), 0x808080u);
  EXPECT_EQ(pixelAt(image, 96, 0), 0x808080u);
  EXPECT_EQ(pixelAt(image, 97, 37), 0xFFFFFFu);
  EXPECT_EQ(pixelAt(image, 97, 1), 0xFFFFFFu);
  // Every line leaves out its end point, so two corners stay open.
  EXPECT_EQ(pixelAt(image, 97, 0), clBlack);
  EXPECT_EQ(pixelAt(image, 0, 37), clBlack);
  label.SetBorderType(btRaised);
  EXPECT_EQ(pixelAt(paintOf(label), 0, 0), 0xFFFFFFu);
}

TEST(Label3D, AHugeBorderWidthDrawsOnlyTheFramesThatFit) {
  TmyLabel3D label;
  makeRedFramedBox(label);
  label.SetBorderWidth(std::numeric_limits<int>::max());
  // A pen that wide covers the whole control.
  const QImage image = paintOf(label);
  for (const QPoint p : {QPoint(0, 0), QPoint(50, 20), QPoint(99, 39)}) {
    EXPECT_EQ(pixelAt(image, p.x(), p.y()), clRed) << p.x() << "," << p.y();
  }
  // The last lines of a two-colour frame, right and bottom, cover it all too.
  label.SetBorderType(btRaised);
  EXPECT_EQ(pixelAt(paintOf(label), 50, 20), 0x808080u);
}

TEST(Label3D, ALabelTooLargeForAnImageOfItsTextStillDrawsTheText) {
  TmyLabel3D label;
  makeBanner(label);
  label.resize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  QImage image(120, 70, QImage::Format_RGB32);
  image.fill(Qt::black);
  {
    QPainter painter(&image);
    label.Paint(painter);
  }
  EXPECT_GT(inkCount(image, clWhite), 200);
}

// Returns the smallest rectangle holding every pixel that is not black.
QRect inkBounds(const QImage& image) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (pixelAt(image, x, y) != clBlack) bounds |= QRect(x, y, 1, 1);
    }
  }
  return bounds;
}

TEST(Label3D, RotatedCaptionSitsInItsBoundingBoxAndAutoSizesToIt) {
  TmyLabel3D label;
  makeBanner(label);
  label.SetTextStyle(tsNone);
  label.resize(200, 200);
  label.SetEscapement(90);
  label.SetAutoSize(true);
  const QFontMetrics metrics(label.Font().face);
  const int cx = metrics.horizontalAdvance(label.Caption());
  QImage image(200, 200, QImage::Format_RGB32);
  image.fill(Qt::black);
  {
    QPainter painter(&image);
    label.Paint(painter);
  }
  EXPECT_EQ(label.size(), QSize(metrics.height(), cx));
  const QRect ink = inkBounds(image);
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_TRUE(QRect(0, 0, metrics.height(), cx).contains(ink)) << ink.x() << "," << ink.y();
  EXPECT_GT(ink.height(), ink.width());  // it reads bottom to top
}

TEST(Label3D, FullTurnTakesTheRotatedPathOnOneLineAndIgnoresMarkup) {
  TmyLabel3D label;
  makeBanner(label, QStringLiteral("<b>ab</b> cd ef"));
  label.SetTextStyle(tsNone);
  label.resize(60, 200);
  label.SetWordWrap(true);
  const int line = QFontMetrics(label.Font().face).height();
  EXPECT_GT(inkBounds(paintOf(label)).height(), line);  // wrapped at 0

  label.SetEscapement(360);
  const QImage plain = paintOf(label);
  EXPECT_LE(inkBounds(plain).bottom(), line);
  label.SetColored(true);
  EXPECT_EQ(paintOf(label), plain);  // tags drawn as text
  label.SetEscapement(0);
  EXPECT_NE(paintOf(label), plain);

  // Measured and drawn as one line, a tab is a single character.
  label.SetCaption(QStringLiteral("a\tb"));
  label.SetEscapement(360);
  label.SetAutoSize(true);
  paintOf(label);
  EXPECT_EQ(label.width(),
            QFontMetrics(label.Font().face).horizontalAdvance(QStringLiteral("a b")));
}

TEST(Label3D, CentredLayoutPutsTheCaptionOnOneLineInTheMiddle) {
  TmyLabel3D label;
  makeBanner(label, QStringLiteral("ab cd"));
  label.SetTextStyle(tsNone);
  label.resize(60, 200);
  label.SetWordWrap(true);
  label.SetLayout(tlCenter);
  const QRect ink = inkBounds(paintOf(label));
  const int line = QFontMetrics(label.Font().face).height();
  EXPECT_LE(ink.height(), line);
  EXPECT_NEAR(ink.center().y(), 100, line / 2);
}

// Puts a recording stand-in for the desktop's "open" command first on PATH.
class ShellRecorder {
 public:
  ShellRecorder() : saved_path_(std::getenv("PATH") ? std::getenv("PATH") : "") {
    record_ = folder_.path() / "opened.txt";
    const auto script = folder_.write(
        "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + record_.string() + ".tmp'\nmv '" +
                        record_.string() + ".tmp' '" + record_.string() + "'\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    setenv("PATH", (folder_.path().string() + ":" + saved_path_).c_str(), 1);
  }
  ~ShellRecorder() { setenv("PATH", saved_path_.c_str(), 1); }

  // Returns what the stand-in was asked to open, waiting up to 5 s for it.
  std::string opened() const {
    for (int i = 0; i < 100 && !std::filesystem::exists(record_); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::ifstream in(record_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  bool anythingOpenedWithin(std::chrono::milliseconds wait) const {
    std::this_thread::sleep_for(wait);
    return std::filesystem::exists(record_);
  }

 private:
  test::TempFolder folder_;
  std::filesystem::path record_;
  std::string saved_path_;
};

TEST(Label3D, EMailLinkClickOpensMailtoAddressThenCallsOnClick) {
  ShellRecorder shell;
  TmyLabel3D label;
  int clicks = 0;
  label.OnClick = [&](TmyLabel3D* sender) {
    EXPECT_EQ(sender, &label);
    ++clicks;
  };
  label.SetLabelStyle(lsEMailAddress);
  label.SetAddress(QStringLiteral("suporte@example.com"));
  QTest::mouseClick(&label, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(shell.opened(), "mailto:suporte@example.com\n");
}

TEST(Label3D, ClickWithoutAddressOnlyCallsOnClick) {
  ShellRecorder shell;
  TmyLabel3D label;
  int clicks = 0;
  label.OnClick = [&](TmyLabel3D*) { ++clicks; };
  label.SetLabelStyle(lsWWWAddress);
  label.Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(shell.anythingOpenedWithin(std::chrono::milliseconds(300)));
}

void sendEnter(QWidget& widget) {
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QApplication::sendEvent(&widget, &enter);
}

void sendLeave(QWidget& widget) {
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&widget, &leave);
}

TEST(Label3D, LinkHoverUnderlinesAndColoursUntilTheMouseLeaves) {
  TmyLabel3D label;
  int entered = 0;
  int left = 0;
  label.OnMouseEnter = [&](TmyLabel3D*) { ++entered; };
  label.OnMouseExit = [&](TmyLabel3D*) { ++left; };
  ComponentFont font = label.Font();
  font.color = clNavy;
  label.SetFont(font);

  sendEnter(label);
  sendLeave(label);
  EXPECT_EQ(label.Font(), font);  // lsDefault: no change, events still called
  EXPECT_FALSE(label.testAttribute(Qt::WA_SetCursor));
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(left, 1);

  label.SetLabelStyle(lsWWWAddress);
  sendEnter(label);
  EXPECT_TRUE(label.Font().face.underline());
  EXPECT_EQ(label.Font().color, clRed);
  EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
  sendLeave(label);
  EXPECT_FALSE(label.Font().face.underline());
  EXPECT_EQ(label.Font().color, clNavy);
  EXPECT_EQ(label.cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(entered, 2);
  EXPECT_EQ(left, 2);
}

TEST(Label3D, LeavingUndoesExactlyWhatEnteringDidWhenTheStyleChangesDuringTheHover) {
  TmyLabel3D label;
  ComponentFont font = label.Font();
  font.color = clWhite;
  font.face.setUnderline(true);
  label.SetFont(font);

  // Entered as a plain label: nothing was saved, so nothing may be "restored".
  sendEnter(label);
  label.SetLabelStyle(lsWWWAddress);
  sendLeave(label);
  EXPECT_EQ(label.Font(), font);

  // Entered as a link: leaving takes the hover look off again.
  font.face.setUnderline(false);
  label.SetFont(font);
  sendEnter(label);
  label.SetLabelStyle(lsDefault);
  sendLeave(label);
  EXPECT_EQ(label.Font(), font);
  EXPECT_EQ(label.cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace kelvo
