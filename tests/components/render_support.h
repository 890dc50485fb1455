// Helpers of the component rendering tests: paint a control into an image
// and read its pixels back as colour values.
#pragma once

#include <QImage>
#include <QPainter>

#include "components/color_values.h"

namespace kelvo::test {

// Returns CONTROL painted by its own Paint() over BACKGROUND.
template <typename Control>
QImage paintOf(Control& control, QColor background = QColor(0, 0, 0)) {
  QImage image(control.size(), QImage::Format_RGB32);
  image.fill(background);
  QPainter painter(&image);
  control.Paint(painter);
  return image;
}

// Returns the pixel at (X, Y) as an explicit 0x00BBGGRR colour.
inline ColorValue pixelAt(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return rgbColor(qRed(p), qGreen(p), qBlue(p));
}

// Returns a blank image of SIZE in BACKGROUND, for drawing expectations.
inline QImage blankImage(QSize size, QColor background) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(background);
  return image;
}

}  // namespace kelvo::test
