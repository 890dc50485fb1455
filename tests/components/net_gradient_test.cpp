// TNetGradient painted on images and on screen: band colours, system colours
// resolved at paint time, the caption, and when property writes repaint.
#include "components/net_gradient.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QTest>

#include "components/render_support.h"

namespace kelvo {
namespace {

using test::paintOf;
using test::pixelAt;

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  int count = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
};

std::vector<ColorValue> rowOf(const QImage& image, int y) {
  std::vector<ColorValue> row;
  for (int x = 0; x < image.width(); ++x) row.push_back(pixelAt(image, x, y));
  return row;
}

TEST(NetGradient, StartsWithItsDocumentedValues) {
  TNetGradient g;
  EXPECT_EQ(g.BeginColor(), clGray);
  EXPECT_EQ(g.EndColor(), clBtnFace);
  EXPECT_EQ(g.FillDirection(), fdLeftToRight);
  EXPECT_EQ(g.NumberOfColors(), 255);
  EXPECT_EQ(g.Caption(), QStringLiteral("TNetGradient"));
  EXPECT_EQ(g.TextTop(), 5);
  EXPECT_EQ(g.TextLeft(), 12);
  EXPECT_FALSE(g.AutoSize());
  EXPECT_TRUE(g.Font().face.bold());
  EXPECT_EQ(g.Font().color, clWindowText);
  EXPECT_EQ(g.size(), QSize(400, 25));
}

TEST(NetGradient, PaintsBandsInFillOrderOverTheWholeHeight) {
  TNetGradient g;
  g.resize(10, 6);
  g.SetCaption(QString());
  g.SetBeginColor(clGray);
  g.SetEndColor(clWhite);
  g.SetNumberOfColors(3);
  const std::vector<ColorValue> left_to_right = {0x808080, 0x808080, 0x808080, 0xC0C0C0, 0xC0C0C0,
                                                 0xC0C0C0, 0xC0C0C0, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
  QImage image = paintOf(g);
  for (int y = 0; y < 6; ++y) EXPECT_EQ(rowOf(image, y), left_to_right) << "row " << y;

  g.SetFillDirection(fdRightToLeft);
  image = paintOf(g);
  const std::vector<ColorValue> right_to_left = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xBFBFBF, 0xBFBFBF,
                                                 0xBFBFBF, 0xBFBFBF, 0x808080, 0x808080, 0x808080};
  EXPECT_EQ(rowOf(image, 5), right_to_left);

  g.SetNumberOfColors(1);
  EXPECT_EQ(rowOf(paintOf(g), 0), std::vector<ColorValue>(10, 0xFFFFFF));
}

TEST(NetGradient, ResolvesSystemColoursAtEveryPaint) {
  const QPalette saved = QApplication::palette();
  TNetGradient g;
  g.resize(10, 2);
  g.SetCaption(QString());
  g.SetBeginColor(clBtnFace);
  g.SetEndColor(clBtnFace);

  QPalette palette = saved;
  palette.setColor(QPalette::Button, QColor(0x12, 0x34, 0x56));
  QApplication::setPalette(palette);
  EXPECT_EQ(pixelAt(paintOf(g), 9, 1), 0x563412u);
  palette.setColor(QPalette::Button, QColor(0xAB, 0xCD, 0xEF));
  QApplication::setPalette(palette);
  EXPECT_EQ(pixelAt(paintOf(g), 0, 0), 0xEFCDABu);
  QApplication::setPalette(saved);
}

TEST(NetGradient, DrawsTheCaptionOverTheGradientAtItsTextPosition) {
  TNetGradient g;
  g.resize(120, 40);
  g.SetBeginColor(clNavy);
  g.SetEndColor(clNavy);
  g.SetCaption(QString());
  const QImage plain = paintOf(g);
  g.SetCaption(QStringLiteral(" "));  // the screens' caption shows nothing
  EXPECT_EQ(paintOf(g), plain);

  ComponentFont font = g.Font();
  font.color = clYellow;
  g.SetFont(font);
  g.SetCaption(QStringLiteral("Xy"));
  g.SetTextLeft(30);
  g.SetTextTop(12);
  const QImage captioned = paintOf(g);
  const QFontMetrics metrics(font.face);
  const QRect cell(30, 12, metrics.horizontalAdvance(QStringLiteral("Xy")), metrics.height());
  int yellow = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 120; ++x) {
      if (captioned.pixel(x, y) == plain.pixel(x, y)) continue;
      EXPECT_TRUE(cell.adjusted(-1, -1, 1, 1).contains(x, y)) << x << "," << y;
      if (pixelAt(captioned, x, y) == clYellow) ++yellow;
    }
  }
  EXPECT_GT(yellow, 10);

  // A tab in the caption is one character wide; it does not push the rest
  // of the line out to a tab stop.
  g.SetCaption(QStringLiteral("X\ty"));
  const QImage tabbed = paintOf(g);
  const int right = 30 + metrics.horizontalAdvance(QStringLiteral("X y"));
  int beyond = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = right + 1; x < 120; ++x) beyond += tabbed.pixel(x, y) != plain.pixel(x, y);
  }
  EXPECT_EQ(beyond, 0);
}

TEST(NetGradient, TooLargeForItsBitmapItLeavesTheCanvasAndStillWritesItsCaption) {
  TNetGradient gradient;
  gradient.SetFont({QFont(QStringLiteral("DejaVu Sans"), 12), clWhite});
  gradient.SetCaption(QStringLiteral("XX"));
  gradient.resize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);  // a bitmap of about a petabyte
  QImage image(60, 40, QImage::Format_RGB32);
  image.fill(QColor(0, 0, 255));
  {
    QPainter painter(&image);
    gradient.Paint(painter);
  }
  EXPECT_EQ(pixelAt(image, 2, 2), rgbColor(0, 0, 255));
  EXPECT_EQ(pixelAt(image, 59, 39), rgbColor(0, 0, 255));
  int caption_pixels = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      caption_pixels += pixelAt(image, x, y) != rgbColor(0, 0, 255);
    }
  }
  EXPECT_GT(caption_pixels, 20);
}

TEST(NetGradient, RepaintsAtOnceOrLaterAsEachPropertyRequires) {
  TNetGradient g;
  g.resize(50, 20);
  g.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&g));
  PaintCounter counter;
  g.installEventFilter(&counter);
  QApplication::processEvents();

  const auto paintsDuring = [&](const std::function<void()>& write) {
    counter.count = 0;
    write();
    return counter.count;
  };
  EXPECT_GE(paintsDuring([&] { g.SetCaption(QStringLiteral("a")); }), 1);
  EXPECT_GE(paintsDuring([&] { g.SetTextTop(3); }), 1);
  EXPECT_GE(paintsDuring([&] { g.SetBeginColor(clRed); }), 1);
  EXPECT_EQ(paintsDuring([&] { g.SetNumberOfColors(9); }), 0);
  EXPECT_EQ(paintsDuring([&] { g.SetAutoSize(true); }), 0);
  counter.count = 0;
  QApplication::processEvents();
  EXPECT_GE(counter.count, 1);

  // Unchanged direction and the control's own font object change nothing.
  EXPECT_EQ(paintsDuring([&] {
              g.SetFillDirection(fdLeftToRight);
              g.SetFont(g.Font());
              QApplication::processEvents();
            }),
            0);
  EXPECT_GE(paintsDuring([&] { g.SetFillDirection(fdRightToLeft); }), 1);
}

TEST(NetGradient, KeepsTheCaptionInTheEightBitCodePage) {
  TNetGradient g;
  g.SetCaption(QStringLiteral("Atualização"));
  EXPECT_EQ(g.Caption(), QStringLiteral("Atualização"));
  g.SetCaption(QStringLiteral("日本"));
  EXPECT_EQ(g.Caption(), QStringLiteral("??"));
}

}  // namespace
}  // namespace kelvo
