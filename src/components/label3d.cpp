// TmyLabel3D: property writes, painting with frames and text passes, links.
#include "components/label3d.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "components/flagged_text.h"
#include "components/label3d_geometry.h"
#include "components/markup_text.h"
#include "components/qt_color.h"
#include "components/single_line_text.h"
#include "platform/process.h"

namespace kelvo {

namespace {

Qt::PenStyle qtPenStyle(TPenStyle style) {
  switch (style) {
    case psDash:
      return Qt::DashLine;
    case psDot:
    case psAlternate:
      return Qt::DotLine;
    case psDashDot:
      return Qt::DashDotLine;
    case psDashDotDot:
      return Qt::DashDotDotLine;
    case psClear:
      return Qt::NoPen;
    case psSolid:
    case psInsideFrame:
    case psUserStyle:
      break;
  }
  return Qt::SolidLine;
}

}  // namespace

TmyLabel3D::TmyLabel3D(QWidget* owner) : QWidget(owner) {
  FFont.face = QApplication::font();
  FFont.face.setFamily(QStringLiteral("Arial"));
  FFont.color = clWindowText;
  canvasPen_ = QPen(QColor(0, 0, 0), 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  resize(65, 17);
}

void TmyLabel3D::SetCaption(const QString& value) {
  if (value == FCaption) return;
  FCaption = value;
  adjustBounds();
  update();
}

void TmyLabel3D::SetFont(const ComponentFont& value) {
  if (&value == &FFont) return;
  FFont = value;
  adjustBounds();
  update();
}

void TmyLabel3D::SetColor(ColorValue value) {
  FColor = value;
  update();
}

void TmyLabel3D::SetTransparent(bool value) {
  FTransparent = value;
  update();
}

void TmyLabel3D::SetAlignment(TAlignment value) {
  FAlignment = value;
  update();
}

void TmyLabel3D::SetLayout(TTextLayout value) {
  FLayout = value;
  update();
}

void TmyLabel3D::SetWordWrap(bool value) {
  if (value == FWordWrap) return;
  FWordWrap = value;
  adjustBounds();
  update();
}

void TmyLabel3D::SetShowAccelChar(bool value) {
  FShowAccelChar = value;
  update();
}

void TmyLabel3D::SetAutoSize(bool value) {
  if (value == FAutoSize) return;
  FAutoSize = value;
  adjustBounds();
}

void TmyLabel3D::adjustBounds() {
  if (!FAutoSize) return;
  unsigned flags = DT_EXPANDTABS;
  if (FWordWrap) flags |= DT_WORDBREAK;
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  // An empty caption still measures as one line of text.
  const QString text = FCaption.isEmpty() ? QStringLiteral(" ") : FCaption;
  const QSize size = measureFlaggedText(FFont.face, width(), text, flags);
  // A right-justified label keeps its right edge where it was.
  const int x = FAlignment == taRightJustify ? this->x() + width() - size.width() : this->x();
  setGeometry(x, y(), size.width(), size.height());
}

void TmyLabel3D::SetBorderColor(ColorValue value) {
  FBorderColor = value;
  canvasPen_.setColor(toQColor(value));
  update();
}

void TmyLabel3D::SetBorderPenStyle(TPenStyle value) {
  FBorderStyle = value;
  canvasPen_.setStyle(qtPenStyle(value));
  update();
}

void TmyLabel3D::SetBorderWidth(int value) {
  FBorderWidth = value;
  // Qt refuses pens of 32768 pixels and more; one that wide already covers
  // any control, so a wider border draws the same.
  canvasPen_.setWidth(std::clamp(value, 0, 32767));
  update();
}

void TmyLabel3D::SetBorder(bool value) {
  FBorder = value;
  update();
}

void TmyLabel3D::SetBorderType(TBorderType value) {
  if (value == FBorderType) return;
  FBorderType = value;
  update();
}

void TmyLabel3D::SetEscapement(int value) {
  if (value == fEscapement) return;
  fEscapement = normalizeEscapement(value);
  update();
}

void TmyLabel3D::SetTextStyle(TTextStyle value) {
  if (value == fTextStyle) return;
  fTextStyle = value;
  update();
}

void TmyLabel3D::SetLabelStyle(TLabelStyle value) { FLabelStyle = value; }

void TmyLabel3D::SetEllipsesStyle(TEllipsesStyle value) {
  if (value == FEllipsesStyle) return;
  if (value != esNone) SetAutoSize(false);
  FEllipsesStyle = value;
  update();
}

void TmyLabel3D::SetShift(int value) {
  if (value == FShift) return;
  FShift = value;
  update();
}

void TmyLabel3D::SetColored(bool value) {
  if (value == FColored) return;
  FColored = value;
  update();
}

void TmyLabel3D::SetColorRR(ColorValue RecessColor, ColorValue RaiseColor) {
  bool changed = false;
  if (RecessColor != FColorRecess) {
    FColorRecess = RecessColor;
    changed = true;
  }
  if (RaiseColor != FColorRaise) {
    FColorRaise = RaiseColor;
    changed = true;
  }
  if (changed) update();
}

void TmyLabel3D::paintEvent(QPaintEvent* /*event*/) {
  QPainter canvas(this);
  Paint(canvas);
}

void TmyLabel3D::Paint(QPainter& canvas) {
  const QRect client(0, 0, width(), height());
  if (!FTransparent) canvas.fillRect(client, toQColor(FColor));
  canvas.setBrush(Qt::NoBrush);
  paintFrames(canvas);

  const unsigned flags =
      labelTextFlags(FWordWrap, FAlignment, FShowAccelChar, FEllipsesStyle, fEscapement, FLayout);
  // Rotated drawing may resize the control while it paints; it is drawn directly.
  if (fEscapement != 0) {
    paintTextPasses(canvas, flags);
    return;
  }
  const qreal ratio = canvas.device() != nullptr ? canvas.device()->devicePixelRatioF() : 1.0;
  TextImageKey key = textImageKey(ratio, flags);
  if (!text_image_key_ || !(*text_image_key_ == key)) {
    text_image_ = QImage(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    text_image_.setDevicePixelRatio(ratio);
    if (text_image_.isNull()) {
      // Too large for an image of its own: the passes go straight to the canvas.
      text_image_key_.reset();
      paintTextPasses(canvas, flags);
      return;
    }
    text_image_.fill(Qt::transparent);
    QPainter image_canvas(&text_image_);
    if (FColored) {
      paintTextPasses(image_canvas, flags);
    } else {
      paintPlainTextPasses(image_canvas, flags);
    }
    text_image_key_ = std::move(key);
  }
  canvas.drawImage(0, 0, text_image_);
}

TmyLabel3D::TextImageKey TmyLabel3D::textImageKey(qreal pixel_ratio, unsigned flags) const {
  TextImageKey key{size(),     pixel_ratio, FCaption,
                   FFont.face, flags,       FColored,
                   FAlignment, {},          QGuiApplication::palette().cacheKey()};
  const ColorValue main_color = isEnabled() ? FFont.color : clGrayText;
  for (const TextPass& pass :
       textPasses(fTextStyle, FShift, FBorderColor, FColorRecess, FColorRaise, main_color)) {
    key.passes.emplace_back(pass.dx, pass.dy, toQColor(pass.color).rgb(), pass.shade);
  }
  return key;
}

void TmyLabel3D::paintPlainTextPasses(QPainter& canvas, unsigned flags) {
  // Without mark-up every pass draws the same shape, only moved and in
  // another colour: the glyphs are drawn once as a mask and tinted per pass.
  QImage mask(text_image_.size(), QImage::Format_ARGB32_Premultiplied);
  mask.setDevicePixelRatio(text_image_.devicePixelRatio());
  mask.fill(Qt::transparent);
  {
    QPainter mask_canvas(&mask);
    mask_canvas.setFont(FFont.face);
    mask_canvas.setPen(QColor(255, 255, 255));
    drawFlaggedText(mask_canvas, QRect(0, 0, width(), height()), FCaption, flags);
  }
  const ColorValue main_color = isEnabled() ? FFont.color : clGrayText;
  QImage tinted(mask.size(), QImage::Format_ARGB32_Premultiplied);
  tinted.setDevicePixelRatio(mask.devicePixelRatio());
  for (const TextPass& pass :
       textPasses(fTextStyle, FShift, FBorderColor, FColorRecess, FColorRaise, main_color)) {
    tinted.fill(Qt::transparent);
    QPainter tint(&tinted);
    tint.drawImage(0, 0, mask);
    tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
    tint.fillRect(QRect(0, 0, width(), height()), toQColor(pass.color));
    tint.end();
    canvas.drawImage(pass.dx, pass.dy, tinted);
  }
}

void TmyLabel3D::paintTextPasses(QPainter& canvas, unsigned flags) {
  const QRect client(0, 0, width(), height());
  canvas.setFont(FFont.face);
  const ColorValue main_color = isEnabled() ? FFont.color : clGrayText;
  for (const TextPass& pass :
       textPasses(fTextStyle, FShift, FBorderColor, FColorRecess, FColorRaise, main_color)) {
    canvas.setPen(toQColor(pass.color));
    paintPass(canvas, client.translated(pass.dx, pass.dy), flags, pass.shade);
  }
}

void TmyLabel3D::paintFrames(QPainter& canvas) {
  if (!FBorder || FBorderWidth <= 0) return;
  canvasPen_.setColor(toQColor(FBorderColor));
  for (const FrameBox& box : frameBoxes(width(), height(), FBorderWidth)) {
    if (FBorderType == btDefault) {
      canvas.setPen(canvasPen_);
      // The outline's right and bottom edges are exclusive; Qt's outline of
      // a w x h rectangle covers w + 1 by h + 1 pixels.
      canvas.drawRect(0, 0, box.width - 1, box.height - 1);
      continue;
    }
    const QColor first =
        FBorderType == btRecessed ? QColor(0x80, 0x80, 0x80) : QColor(255, 255, 255);
    const QColor second =
        FBorderType == btRecessed ? QColor(255, 255, 255) : QColor(0x80, 0x80, 0x80);
    for (const FrameLine& line : twoColorFrameLines(box.width - 1, box.height - 1)) {
      canvasPen_.setColor(line.first_color ? first : second);
      canvas.setPen(canvasPen_);
      canvas.drawLine(line.x1, line.y1, line.x2, line.y2);
    }
  }
}

void TmyLabel3D::paintPass(QPainter& canvas, const QRect& pass_rect, unsigned flags,
                           TShadeMode shade) {
  if (fEscapement != 0) {
    paintRotated(canvas, pass_rect);
  } else if (FColored) {
    DrawColoredText(canvas, pass_rect, FCaption, FAlignment, fromQColor(canvas.pen().color()),
                    shade);
  } else {
    drawFlaggedText(canvas, pass_rect, FCaption, flags);
  }
}

void TmyLabel3D::paintRotated(QPainter& canvas, QRect pass_rect) {
  const QFontMetrics metrics(FFont.face);
  const QString caption = singleLineText(FCaption);
  const int cx = metrics.horizontalAdvance(caption);
  const int cy = metrics.height();
  const RotatedPlacement placement = rotatedPlacement(fEscapement, cx, cy);
  pass_rect.translate(placement.dx, placement.dy);
  if (FAutoSize) {
    if (width() != placement.width || height() != placement.height) {
      resize(placement.width, placement.height);
    }
  } else {
    pass_rect.translate(alignedOffset(FAlignment, width(), placement.width), 0);
  }
  canvas.save();
  canvas.translate(pass_rect.topLeft());
  canvas.rotate(-static_cast<double>(fEscapement));
  canvas.drawText(QPoint(0, metrics.ascent()), caption);
  canvas.restore();
}

void TmyLabel3D::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  mouseEntered();
}

void TmyLabel3D::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  mouseLeft();
}

void TmyLabel3D::mouseEntered() {
  if (FLabelStyle != lsDefault && !hover_look_) {
    hover_look_ = true;
    FOldColor = FFont.color;
    ComponentFont font = FFont;
    font.face.setUnderline(true);
    SetFont(font);
    setCursor(Qt::PointingHandCursor);
    QCoreApplication::processEvents();
    font = FFont;
    font.color = FActiveColor;
    SetFont(font);
  }
  if (OnMouseEnter) OnMouseEnter(this);
}

void TmyLabel3D::mouseLeft() {
  // Follows what the enter did, not the style of the moment: the style may
  // have changed during the hover, and the saved colour is only valid when
  // the enter saved it.
  if (hover_look_) {
    hover_look_ = false;
    unsetCursor();
    ComponentFont font = FFont;
    font.face.setUnderline(false);
    SetFont(font);
    QCoreApplication::processEvents();
    font = FFont;
    font.color = FOldColor;
    SetFont(font);
  }
  if (OnMouseExit) OnMouseExit(this);
}

void TmyLabel3D::Click() {
  if (FLabelStyle != lsDefault && !FAddress.isEmpty()) {
    setCursor(Qt::BusyCursor);
    QCoreApplication::processEvents();
    const QString target =
        FLabelStyle == lsEMailAddress ? QStringLiteral("mailto:") + FAddress : FAddress;
    // Opening the target is best effort: a failure must not stop the click.
    try {
      shellOpen(target.toStdString(), ShellVerb::Default);
    } catch (...) {
    }
    setCursor(Qt::PointingHandCursor);
  }
  if (OnClick) OnClick(this);
}

void TmyLabel3D::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  QWidget::mousePressEvent(event);
}

void TmyLabel3D::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->pos());
  pressed_ = false;
  QWidget::mouseReleaseEvent(event);
  if (click) Click();
}

void TmyLabel3D::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) update();
  QWidget::changeEvent(event);
}

}  // namespace kelvo
