// TNetGradient: a backdrop that fills its rectangle with vertical colour bands
// running from one colour to another, with a one-line caption over them.
#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

#include "components/color_values.h"
#include "components/component_font.h"

class QPainter;

namespace kelvo {

enum TFillDirection : std::uint8_t { fdLeftToRight = 0, fdRightToLeft = 1 };

// Callers keep it in 1..255; it is stored without a range test.
using TNumberOfColors = std::uint8_t;

class TNetGradient : public QWidget {
  Q_OBJECT

 public:
  explicit TNetGradient(QWidget* owner = nullptr);

  ColorValue BeginColor() const { return FBeginColor; }
  void SetBeginColor(ColorValue value);
  ColorValue EndColor() const { return FEndColor; }
  void SetEndColor(ColorValue value);
  TFillDirection FillDirection() const { return FDirection; }
  void SetFillDirection(TFillDirection value);
  TNumberOfColors NumberOfColors() const { return FNumberOfColors; }
  void SetNumberOfColors(TNumberOfColors value);
  const ComponentFont& Font() const { return FFont; }
  void SetFont(const ComponentFont& value);
  // Returns the caption as the user sees it. It is held in the system's 8-bit
  // code page, so characters that code page lacks read back as '?'.
  QString Caption() const;
  void SetCaption(const QString& value);
  int TextTop() const { return FTextTop; }
  void SetTextTop(int value);
  int TextLeft() const { return FTextLeft; }
  void SetTextLeft(int value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);

  // Paints the control into CANVAS, whose origin is the control's top-left.
  void Paint(QPainter& canvas);

  std::function<void(TNetGradient*)> OnClick;
  std::function<void(TNetGradient*)> OnDblClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // Runs the painting at once when the control is on screen; a hidden
  // control shows its current properties when it is first painted.
  void repaintNow();
  void paintBands(QPainter& canvas);
  void paintCaption(QPainter& canvas);

  ColorValue FBeginColor = clGray;
  ColorValue FEndColor = clBtnFace;
  TFillDirection FDirection = fdLeftToRight;
  TNumberOfColors FNumberOfColors = 255;
  ComponentFont FFont;
  std::string FCaption;  // ANSI code page bytes
  int FTextTop = 5;
  int FTextLeft = 12;
  bool FAutoSize = false;
  bool pressed_ = false;
};

}  // namespace kelvo
