// Shared set-up of the warning screens' backdrop and banner.
#include "screens/warning_decorations.h"

#include "components/label3d.h"
#include "components/net_gradient.h"
#include "screens/screen_fonts.h"

namespace kelvo {

TNetGradient* makeWarningBackdrop(QWidget* parent, QRect geometry, ColorValue begin) {
  auto* backdrop = new TNetGradient(parent);
  backdrop->setGeometry(geometry);
  backdrop->SetBeginColor(begin);
  backdrop->SetEndColor(clBtnFace);
  backdrop->SetCaption(" ");
  backdrop->SetTextLeft(12);
  backdrop->SetTextTop(5);
  backdrop->SetFont({screenFont("MS Sans Serif", 11, Bold), clWindowText});
  return backdrop;
}

TmyLabel3D* makeWarningBanner(QWidget* parent, QRect geometry, const QString& caption,
                              int pixel_height, ColorValue color) {
  auto* banner = new TmyLabel3D(parent);
  // Sized to its caption once every property is in place, as a loaded
  // screen does, so that the caption wraps within the designed width.
  banner->SetAutoSize(false);
  banner->setGeometry(geometry);
  banner->SetCaption(caption);
  banner->SetTextStyle(tsRaised);
  banner->SetShift(1);
  banner->SetAlignment(taCenter);
  banner->SetWordWrap(true);
  banner->SetTransparent(true);
  banner->SetColor(clBlack);
  banner->SetFont({screenFont("Verdana", pixel_height, Bold), color});
  banner->SetBorder(false);
  banner->SetBorderColor(clRed);
  banner->SetBorderPenStyle(psSolid);
  banner->SetBorderType(btDefault);
  banner->SetEscapement(0);
  banner->SetLabelStyle(lsDefault);
  banner->SetEllipsesStyle(esNone);
  banner->SetAutoSize(true);
  // Auto-size fits the banner to its widest line from the left edge; the
  // stand-in face wraps differently from the designed one, so the banner is
  // centred again in its designed box.
  const int spare = geometry.width() - banner->width();
  if (spare > 0) banner->move(geometry.x() + spare / 2, banner->y());
  return banner;
}

}  // namespace kelvo
