// TmyLabel3D: a text label that draws its caption with a three-dimensional
// effect (offset copies in other colours), optionally rotated, framed,
// ellipsized or laid out with inline mark-up, and that can act as a link.
#pragma once

#include <QImage>
#include <QPen>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <tuple>
#include <vector>

#include "components/color_values.h"
#include "components/component_font.h"
#include "components/label_enums.h"
#include "components/markup_scan.h"

class QPainter;

namespace kelvo {

class TmyLabel3D : public QWidget {
  Q_OBJECT

 public:
  using TNotifyEvent = std::function<void(TmyLabel3D* sender)>;

  explicit TmyLabel3D(QWidget* owner = nullptr);

  // The plain label's properties.
  const QString& Caption() const { return FCaption; }
  void SetCaption(const QString& value);
  const ComponentFont& Font() const { return FFont; }
  void SetFont(const ComponentFont& value);
  ColorValue Color() const { return FColor; }
  void SetColor(ColorValue value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);

  // The raised label's own properties.
  ColorValue BorderColor() const { return FBorderColor; }
  void SetBorderColor(ColorValue value);
  TPenStyle BorderPenStyle() const { return FBorderStyle; }
  void SetBorderPenStyle(TPenStyle value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int value);
  bool Border() const { return FBorder; }
  void SetBorder(bool value);
  TBorderType BorderType() const { return FBorderType; }
  void SetBorderType(TBorderType value);
  int Escapement() const { return fEscapement; }
  void SetEscapement(int value);
  TTextStyle TextStyle() const { return fTextStyle; }
  void SetTextStyle(TTextStyle value);
  TLabelStyle LabelStyle() const { return FLabelStyle; }
  void SetLabelStyle(TLabelStyle value);
  const QString& Address() const { return FAddress; }
  void SetAddress(const QString& value) { FAddress = value; }
  TEllipsesStyle EllipsesStyle() const { return FEllipsesStyle; }
  void SetEllipsesStyle(TEllipsesStyle value);
  int Shift() const { return FShift; }
  void SetShift(int value);
  bool Colored() const { return FColored; }
  void SetColored(bool value);

  // Stores the recess and raise colours of the effects; repaints if either changed.
  void SetColorRR(ColorValue RecessColor, ColorValue RaiseColor);
  ColorValue ColorRecess() const { return FColorRecess; }
  ColorValue ColorRaise() const { return FColorRaise; }

  // Returns the pen frames are drawn with; it keeps its state between paints.
  const QPen& CanvasPen() const { return canvasPen_; }

  // Paints the control into CANVAS, whose origin is the control's top-left.
  void Paint(QPainter& canvas);

  // Opens the link target (link styles), then calls OnClick.
  void Click();

  TNotifyEvent OnClick;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseExit;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Sizes the control to its caption measured as plain text when AutoSize
  // is on (within the current width when the caption wraps).
  void adjustBounds();
  void mouseEntered();
  void mouseLeft();
  void paintFrames(QPainter& canvas);
  void paintPass(QPainter& canvas, const QRect& pass_rect, unsigned flags, TShadeMode shade);
  void paintRotated(QPainter& canvas, QRect pass_rect);
  void paintTextPasses(QPainter& canvas, unsigned flags);
  void paintPlainTextPasses(QPainter& canvas, unsigned flags);

  // Everything the unrotated text passes depend on. Large captions are slow
  // to draw glyph by glyph, so the passes are drawn once into an image and
  // that image is reused while none of this changes.
  struct TextImageKey {
    QSize size;
    qreal pixel_ratio;
    QString caption;
    QFont font;
    unsigned flags;
    bool colored;
    TAlignment alignment;
    std::vector<std::tuple<int, int, QRgb, int>> passes;
    qint64 palette;
    bool operator==(const TextImageKey&) const = default;
  };
  TextImageKey textImageKey(qreal pixel_ratio, unsigned flags) const;

  QString FCaption;
  ComponentFont FFont;
  ColorValue FColor = clBtnFace;
  bool FTransparent = true;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  bool FAutoSize = true;

  ColorValue FBorderColor = clRed;
  TPenStyle FBorderStyle = psSolid;
  int FBorderWidth = 1;
  bool FBorder = false;
  TBorderType FBorderType = btDefault;
  int fEscapement = 0;
  TTextStyle fTextStyle = tsRaised;
  TLabelStyle FLabelStyle = lsDefault;
  QString FAddress;
  TEllipsesStyle FEllipsesStyle = esNone;
  int FShift = 1;
  bool FColored = false;

  ColorValue FColorRecess = clBtnShadow;
  ColorValue FColorRaise = clBtnHighlight;
  ColorValue FActiveColor = clRed;
  ColorValue FOldColor = clWindowText;

  QPen canvasPen_;
  QImage text_image_;
  std::optional<TextImageKey> text_image_key_;
  bool pressed_ = false;
  // True between a mouse-enter that gave a link its hover look and the
  // mouse-leave that takes it off, whatever the label style meanwhile.
  bool hover_look_ = false;
};

}  // namespace kelvo
