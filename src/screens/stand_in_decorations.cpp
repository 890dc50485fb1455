// Stand-in backdrop and banner painting.
#include "screens/stand_in_decorations.h"

#include <QLinearGradient>
#include <QPainter>

namespace kelvo {

PlainBackdrop::PlainBackdrop(QWidget* parent, QColor begin, QColor end)
    : QWidget(parent), begin_(begin), end_(end) {}

void PlainBackdrop::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QLinearGradient gradient(0, 0, 0, height());
  gradient.setColorAt(0, begin_);
  gradient.setColorAt(1, end_);
  painter.fillRect(rect(), gradient);
}

PlainBanner::PlainBanner(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
  setWordWrap(true);
  setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void PlainBanner::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
  painter.setPen(Qt::red);
  painter.drawText(rect().translated(1, 1), flags, text());
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(rect(), flags, text());
}

}  // namespace kelvo
