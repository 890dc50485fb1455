// Text-drawing flags carried out with QPainter and QFontMetrics.
#include "components/flagged_text.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <climits>
#include <string_view>

#include "components/label3d_geometry.h"

namespace kelvo {

namespace {

struct Prepared {
  QString text;
  int qt_flags;
};

std::u16string_view viewOf(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

QString fromU16(const std::u16string& text) { return QString::fromStdU16String(text); }

// Turns FLAGS into Qt's text flags and applies what Qt has no flag for: CR LF
// and lone CR as line breaks, and the ellipses, line by line.
Prepared prepare(const QFontMetrics& metrics, int width, const QString& text, unsigned flags) {
  const bool single = (flags & DT_SINGLELINE) != 0;
  const bool wrap = (flags & DT_WORDBREAK) != 0 && !single;
  int qt = 0;
  if (flags & DT_CENTER) {
    qt |= Qt::AlignHCenter;
  } else if (flags & DT_RIGHT) {
    qt |= Qt::AlignRight;
  } else {
    qt |= Qt::AlignLeft;
  }
  if (single && (flags & DT_VCENTER)) {
    qt |= Qt::AlignVCenter;
  } else if (single && (flags & DT_BOTTOM)) {
    qt |= Qt::AlignBottom;
  } else {
    qt |= Qt::AlignTop;
  }
  if (flags & DT_EXPANDTABS) qt |= Qt::TextExpandTabs;
  if (!(flags & DT_NOPREFIX)) qt |= Qt::TextShowMnemonic;
  if (wrap) qt |= Qt::TextWordWrap;
  if (single) qt |= Qt::TextSingleLine;

  QString normalized = text;
  normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  normalized.replace(QChar(u'\r'), QChar(u'\n'));

  const unsigned ellipsis = flags & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS);
  // A wrapped caption breaks at words instead; Qt then clips a word that is
  // wider than the rectangle.
  if (ellipsis != 0 && !wrap) {
    const int measure_flags = qt & (Qt::TextShowMnemonic | Qt::TextExpandTabs);
    const TextMeasure measure = [&](std::u16string_view part) {
      const QString s(reinterpret_cast<const QChar*>(part.data()),
                      static_cast<qsizetype>(part.size()));
      return metrics.size(measure_flags, s).width();
    };
    QStringList lines = single ? QStringList{normalized.replace(QChar(u'\n'), QChar(u' '))}
                               : normalized.split(QChar(u'\n'));
    for (QString& line : lines) {
      line = fromU16((ellipsis & DT_PATH_ELLIPSIS) ? pathEllipsis(viewOf(line), width, measure)
                                                   : endEllipsis(viewOf(line), width, measure));
    }
    normalized = lines.join(QChar(u'\n'));
  }
  return {normalized, qt};
}

}  // namespace

void drawFlaggedText(QPainter& canvas, const QRect& rect, const QString& text, unsigned flags) {
  const Prepared prepared = prepare(canvas.fontMetrics(), rect.width(), text, flags);
  canvas.drawText(rect, prepared.qt_flags, prepared.text);
}

QSize measureFlaggedText(const QFont& font, int width, const QString& text, unsigned flags) {
  const QFontMetrics metrics(font);
  const Prepared prepared = prepare(metrics, width, text, flags);
  const int wrap_width = (flags & DT_WORDBREAK) ? width : INT_MAX / 2;
  const QRect bounds =
      metrics.boundingRect(QRect(0, 0, wrap_width, INT_MAX / 2),
                           prepared.qt_flags & ~(Qt::AlignHCenter | Qt::AlignRight), prepared.text);
  return bounds.size();
}

}  // namespace kelvo
