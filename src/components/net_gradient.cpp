// TNetGradient: property writes and the banded painting.
#include "components/net_gradient.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <cstring>

#include "components/gradient_bands.h"
#include "components/qt_color.h"
#include "components/single_line_text.h"
#include "platform/codepage.h"

namespace kelvo {

TNetGradient::TNetGradient(QWidget* owner) : QWidget(owner), FCaption("TNetGradient") {
  FFont.face = QApplication::font();
  FFont.face.setBold(true);
  FFont.color = clWindowText;
  // Every pixel is painted by the bands, so Qt need not clear the area first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(400, 25);
}

void TNetGradient::SetBeginColor(ColorValue value) {
  FBeginColor = value;
  repaintNow();
  update();
}

void TNetGradient::SetEndColor(ColorValue value) {
  FEndColor = value;
  repaintNow();
  update();
}

void TNetGradient::SetFillDirection(TFillDirection value) {
  if (value == FDirection) return;
  FDirection = value;
  repaintNow();
  update();
}

void TNetGradient::SetNumberOfColors(TNumberOfColors value) {
  FNumberOfColors = value;
  update();
}

void TNetGradient::SetFont(const ComponentFont& value) {
  if (&value == &FFont) return;
  FFont = value;
  repaintNow();
}

QString TNetGradient::Caption() const { return QString::fromStdString(ansiToUtf8(FCaption)); }

void TNetGradient::SetCaption(const QString& value) {
  FCaption = utf8ToAnsi(value.toStdString());
  repaintNow();
}

void TNetGradient::SetTextTop(int value) {
  FTextTop = value;
  repaintNow();
}

void TNetGradient::SetTextLeft(int value) {
  FTextLeft = value;
  repaintNow();
}

void TNetGradient::SetAutoSize(bool value) {
  FAutoSize = value;
  update();
}

void TNetGradient::repaintNow() {
  if (isVisible()) repaint();
}

void TNetGradient::paintEvent(QPaintEvent* /*event*/) {
  QPainter canvas(this);
  Paint(canvas);
}

void TNetGradient::Paint(QPainter& canvas) {
  paintBands(canvas);
  paintCaption(canvas);
}

void TNetGradient::paintBands(QPainter& canvas) {
  const int w = width();
  const int h = height();
  if (w <= 0 || h <= 0) return;
  // A control too large for its bitmap leaves what lies under it rather
  // than writing through a bitmap that was never allocated.
  QImage bitmap(w, h, QImage::Format_RGB32);
  if (bitmap.isNull()) return;

  ColorValue start = resolveColor(FBeginColor);
  ColorValue finish = resolveColor(FEndColor);
  if (FDirection == fdRightToLeft) std::swap(start, finish);
  // The bands differ only across x, so one scan line is composed and then
  // copied down; the whole bitmap reaches the canvas in one draw.
  auto* row = reinterpret_cast<QRgb*>(bitmap.scanLine(0));
  // Without bands nothing else would define the pixels: show the start colour.
  std::fill(row, row + w, qRgb(redOf(start), greenOf(start), blueOf(start)));
  for (const GradientBand& band : gradientBands(start, finish, w, FNumberOfColors)) {
    const int left = std::max(band.left, 0);
    const int right = std::min(band.right, w);
    const QRgb pixel = qRgb(redOf(band.color), greenOf(band.color), blueOf(band.color));
    for (int x = left; x < right; ++x) row[x] = pixel;
  }
  const auto row_bytes = static_cast<std::size_t>(w) * sizeof(QRgb);
  for (int y = 1; y < h; ++y) std::memcpy(bitmap.scanLine(y), row, row_bytes);
  canvas.drawImage(0, 0, bitmap);
}

void TNetGradient::paintCaption(QPainter& canvas) {
  canvas.setBrush(Qt::NoBrush);
  canvas.setFont(FFont.face);
  canvas.setPen(toQColor(FFont.color));
  const QFontMetrics metrics(FFont.face);
  canvas.drawText(QPoint(FTextLeft, FTextTop + metrics.ascent()), singleLineText(Caption()));
}

void TNetGradient::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  QWidget::mousePressEvent(event);
}

void TNetGradient::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
  pressed_ = false;
  QWidget::mouseReleaseEvent(event);
  if (click && OnClick) OnClick(this);
}

void TNetGradient::mouseDoubleClickEvent(QMouseEvent* event) {
  QWidget::mouseDoubleClickEvent(event);
  if (OnDblClick) OnDblClick(this);
}

}  // namespace kelvo
