// The system colour table and the resolution of colour values to QColor.
#include "components/qt_color.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>
#include <optional>

namespace kelvo {

namespace {

struct SystemColor {
  ColorValue classic;                       // the value a stock desktop shows
  std::optional<QPalette::ColorRole> role;  // the palette's matching role, if any
  QPalette::ColorGroup group = QPalette::Active;
};

using R = QPalette::ColorRole;

// Indexed by system colour index. Where the palette has a role of the same
// meaning the application follows its desktop; the rest keep classic values.
const std::array<SystemColor, 31> kSystemColors = {{
    {0xC8C8C8, std::nullopt},                       // 0 scroll bar
    {0x000000, std::nullopt},                       // 1 desktop background
    {0xD1B499, std::nullopt},                       // 2 active caption
    {0xDBCDBF, std::nullopt},                       // 3 inactive caption
    {0xF0F0F0, R::Window},                          // 4 menu
    {0xFFFFFF, R::Base},                            // 5 window
    {0x646464, std::nullopt},                       // 6 window frame
    {0x000000, R::WindowText},                      // 7 menu text
    {0x000000, R::WindowText},                      // 8 window text
    {0x000000, std::nullopt},                       // 9 caption text
    {0xB4B4B4, std::nullopt},                       // 10 active border
    {0xFCF7F4, std::nullopt},                       // 11 inactive border
    {0xABABAB, std::nullopt},                       // 12 application work space
    {0xD77800, R::Highlight},                       // 13 highlight
    {0xFFFFFF, R::HighlightedText},                 // 14 highlighted text
    {0xF0F0F0, R::Button},                          // 15 button face
    {0xA0A0A0, R::Dark},                            // 16 button shadow
    {0x6D6D6D, R::WindowText, QPalette::Disabled},  // 17 grey text
    {0x000000, R::ButtonText},                      // 18 button text
    {0x000000, std::nullopt},                       // 19 inactive caption text
    {0xFFFFFF, R::Light},                           // 20 button highlight
    {0x696969, R::Shadow},                          // 21 3-D dark shadow
    {0xE3E3E3, R::Midlight},                        // 22 3-D light
    {0x000000, R::ToolTipText},                     // 23 tooltip text
    {0xE1FFFF, R::ToolTipBase},                     // 24 tooltip background
    {0x000000, std::nullopt},                       // 25 unused
    {0xCC6600, R::Link},                            // 26 hot-tracked item
    {0xEAD1B9, std::nullopt},                       // 27 active caption gradient
    {0xF2E4D7, std::nullopt},                       // 28 inactive caption gradient
    {0xFF9933, std::nullopt},                       // 29 menu highlight
    {0xF0F0F0, R::Window},                          // 30 menu bar
}};

QColor explicitColor(ColorValue value) {
  return QColor(redOf(value), greenOf(value), blueOf(value));
}

}  // namespace

QColor toQColor(ColorValue value) {
  if (!isSystemColor(value)) return explicitColor(value);
  const int index = systemColorIndex(value);
  // Indices past the table have no colour; the system answers black for them.
  if (index >= static_cast<int>(kSystemColors.size())) return QColor(0, 0, 0);
  const SystemColor& entry = kSystemColors[static_cast<std::size_t>(index)];
  if (entry.role && qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
    QColor color = QGuiApplication::palette().color(entry.group, *entry.role);
    color.setAlpha(255);
    return color;
  }
  return explicitColor(entry.classic);
}

ColorValue resolveColor(ColorValue value) { return fromQColor(toQColor(value)); }

ColorValue fromQColor(const QColor& color) {
  return rgbColor(color.red(), color.green(), color.blue());
}

}  // namespace kelvo
