// The mark-up layout drawn on images, compared with the same runs drawn
// directly: styles, colours and shading, lines, alignment, restored state.
#include "components/markup_text.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>

#include "components/qt_color.h"
#include "components/render_support.h"

namespace kelvo {
namespace {

const QSize kSize(220, 80);
const QColor kWhite(255, 255, 255);

QFont baseFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(16);
  return font;
}

// Draws TEXT with DrawColoredText in black on white, in a 200-pixel rectangle.
QImage colored(const QString& text, TAlignment alignment = taLeftJustify,
               TShadeMode shade = smAsIs) {
  QImage image = test::blankImage(kSize, kWhite);
  QPainter painter(&image);
  painter.setFont(baseFont());
  painter.setPen(QColor(0, 0, 0));
  DrawColoredText(painter, QRect(0, 0, 200, 60), text, alignment, clBlack, shade);
  return image;
}

// One run drawn directly with its text cell's top-left at (X, Y).
struct Run {
  QString text;
  int x;
  int y = 0;
  QColor color = QColor(0, 0, 0);
  bool bold = false;
};

QImage direct(const std::vector<Run>& runs) {
  QImage image = test::blankImage(kSize, kWhite);
  QPainter painter(&image);
  for (const Run& run : runs) {
    QFont font = baseFont();
    font.setBold(run.bold);
    painter.setFont(font);
    painter.setPen(run.color);
    painter.drawText(QPoint(run.x, run.y + painter.fontMetrics().ascent()), run.text);
  }
  return image;
}

int advance(const QString& text, bool bold = false) {
  QFont font = baseFont();
  font.setBold(bold);
  return QFontMetrics(font).horizontalAdvance(text);
}

TEST(MarkupText, DrawsStyledRunsOneAfterAnotherFromTheMargin) {
  EXPECT_EQ(colored(QStringLiteral("<b>Bold</b> text")),
            direct({{QStringLiteral("Bold"), 2, 0, QColor(0, 0, 0), true},
                    {QStringLiteral(" text"), 2 + advance(QStringLiteral("Bold"), true)}}));
  EXPECT_EQ(colored(QStringLiteral("<B>x</B>")), colored(QStringLiteral("<b>x</b>")));
  // Text after "<" that is not a tag is drawn as it stands.
  EXPECT_EQ(colored(QStringLiteral("<x>< b><b")), direct({{QStringLiteral("<x>< b><b"), 2}}));
  // A tab is one ordinary character, not a jump to the next tab stop.
  EXPECT_EQ(colored(QStringLiteral("a\tb")), direct({{QStringLiteral("a b"), 2}}));
}

TEST(MarkupText, ColourTagsChangeThePenAndShadeByPass) {
  const QColor red(255, 0, 0);
  const auto redThenBlack = [&](QColor first) {
    return direct({{QStringLiteral("R"), 2, 0, first},
                   {QStringLiteral("G"), 2 + advance(QStringLiteral("R"))}});
  };
  EXPECT_EQ(colored(QStringLiteral("<c:Red>R</c>G")), redThenBlack(red));
  EXPECT_EQ(colored(QStringLiteral("<c:$0000FF>R</c>G")), redThenBlack(red));
  EXPECT_EQ(colored(QStringLiteral("<c:Red>R</c>G"), taLeftJustify, smDarken),
            redThenBlack(QColor(0x1A, 0, 0)));
  EXPECT_EQ(colored(QStringLiteral("<c:Red>R</c>G"), taLeftJustify, smLighten),
            redThenBlack(QColor(0xFF, 0xE6, 0xE6)));
  // Names that do not convert change nothing and are not drawn.
  EXPECT_EQ(colored(QStringLiteral("<c:Crimson>x")), direct({{QStringLiteral("x"), 2}}));
  EXPECT_EQ(colored(QStringLiteral("<c:>x")), direct({{QStringLiteral("x"), 2}}));
  EXPECT_EQ(colored(QStringLiteral("ab<c:Red cd")), direct({{QStringLiteral("ab"), 2}}));
}

TEST(MarkupText, StartsEveryLineFromTheEntryFontAndSpacesLinesByOneTextHeight) {
  const int h = QFontMetrics(baseFont()).height();
  EXPECT_EQ(colored(QStringLiteral("A\r\n\r\nB")),
            direct({{QStringLiteral("A"), 2}, {QStringLiteral("B"), 2, 2 * h}}));
  // A tag left open on one line does not reach the next.
  EXPECT_EQ(
      colored(QStringLiteral("<b><c:red>A\nB")),
      direct({{QStringLiteral("A"), 2, 0, QColor(255, 0, 0), true}, {QStringLiteral("B"), 2, h}}));
  EXPECT_EQ(colored(QString()), test::blankImage(kSize, kWhite));
}

TEST(MarkupText, AlignsEachLineByItsMeasuredWidth) {
  const QString line = QStringLiteral("<b>ab</b>c");
  const int runs = advance(QStringLiteral("ab"), true) + advance(QStringLiteral("c"));
  const int w = runs + 4;
  const auto at = [&](int left) {
    return direct({{QStringLiteral("ab"), left + 2, 0, QColor(0, 0, 0), true},
                   {QStringLiteral("c"), left + 2 + advance(QStringLiteral("ab"), true)}});
  };
  EXPECT_EQ(colored(line, taRightJustify), at(200 - w));
  EXPECT_EQ(colored(line, taCenter), at((200 - w) / 2));

  QImage image = test::blankImage(kSize, kWhite);
  QPainter painter(&image);
  painter.setFont(baseFont());
  EXPECT_EQ(DrawMarkupLine(painter, QRect(10, 0, 100, 20), line, clBlack, smAsIs, true), w);
  EXPECT_EQ(
      DrawMarkupLine(painter, QRect(10, 0, 100, 20), QStringLiteral("a\tb"), clBlack, smAsIs, true),
      advance(QStringLiteral("a b")) + 4);
  EXPECT_EQ(image, test::blankImage(kSize, kWhite));  // measuring draws nothing
}

TEST(MarkupText, LeavesTheCanvasFontAndColourAsItFoundThem) {
  QImage image = test::blankImage(kSize, kWhite);
  QPainter painter(&image);
  const QFont entry = baseFont();
  painter.setFont(entry);
  painter.setPen(toQColor(clNavy));
  DrawColoredText(painter, QRect(0, 0, 200, 60), QStringLiteral("<b><i><u><c:red>x\n<c:lime>y"),
                  taCenter, clNavy, smDarken);
  EXPECT_EQ(painter.font(), entry);
  EXPECT_EQ(painter.pen().color(), toQColor(clNavy));
}

}  // namespace
}  // namespace kelvo
