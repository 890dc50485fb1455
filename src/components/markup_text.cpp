// Drawing and measuring mark-up lines on a QPainter.
#include "components/markup_text.h"

#include <QFontMetrics>
#include <QPainter>
#include <string_view>

#include "components/qt_color.h"
#include "components/single_line_text.h"

namespace kelvo {

namespace {

std::u16string_view viewOf(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

QString toQString(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

void setPenColor(QPainter& canvas, const QColor& color) {
  QPen pen = canvas.pen();
  pen.setColor(color);
  canvas.setPen(pen);
}

}  // namespace

int DrawMarkupLine(QPainter& canvas, const QRect& rect, const QString& line, ColorValue base_color,
                   TShadeMode shade, bool measure_only) {
  const QFont entry_font = canvas.font();
  int x = rect.left() + 2;
  const int y = rect.top();
  for (const MarkupToken& token : scanMarkupLine(viewOf(line))) {
    QFont font = canvas.font();
    switch (token.kind) {
      case MarkupToken::kRun: {
        const QString run = singleLineText(toQString(token.text));
        if (!measure_only) canvas.drawText(QPoint(x, y + canvas.fontMetrics().ascent()), run);
        x += canvas.fontMetrics().horizontalAdvance(run);
        continue;
      }
      case MarkupToken::kBoldOn:
      case MarkupToken::kBoldOff:
        font.setBold(token.kind == MarkupToken::kBoldOn);
        break;
      case MarkupToken::kItalicOn:
      case MarkupToken::kItalicOff:
        font.setItalic(token.kind == MarkupToken::kItalicOn);
        break;
      case MarkupToken::kUnderlineOn:
      case MarkupToken::kUnderlineOff:
        font.setUnderline(token.kind == MarkupToken::kUnderlineOn);
        break;
      case MarkupToken::kBaseColor:
        setPenColor(canvas, toQColor(base_color));
        continue;
      case MarkupToken::kColor:
        setPenColor(canvas, toQColor(shadeColor(token.color, shade)));
        continue;
    }
    canvas.setFont(font);
  }
  canvas.setFont(entry_font);
  setPenColor(canvas, toQColor(base_color));
  return x - rect.left() + 2;
}

void DrawColoredText(QPainter& canvas, const QRect& rect, const QString& text, TAlignment alignment,
                     ColorValue base_color, TShadeMode shade) {
  const int line_height = canvas.fontMetrics().height();
  const int right = rect.left() + rect.width();  // exclusive, as the rectangle is given
  int k = 0;
  for (const std::u16string_view line_view : splitMarkupLines(viewOf(text))) {
    const QString line = toQString(line_view);
    QRect line_rect(rect.left(), rect.top() + line_height * k, rect.width(), rect.height());
    if (alignment != taLeftJustify) {
      const int w = DrawMarkupLine(canvas, line_rect, line, base_color, smAsIs, true);
      const int left = alignment == taRightJustify
                           ? right - w
                           : line_rect.left() + (right - line_rect.left() - w) / 2;
      line_rect.setLeft(left);
    }
    DrawMarkupLine(canvas, line_rect, line, base_color, shade, false);
    ++k;
  }
}

}  // namespace kelvo
