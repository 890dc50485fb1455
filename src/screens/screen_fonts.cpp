// Font substitution in one place, so every screen looks the same on systems
// that lack the Windows faces.
#include "screens/screen_fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace kelvo {

QString substituteFamily(const QString& family) {
  if (QFontDatabase::families().contains(family, Qt::CaseInsensitive)) return family;
  // DejaVu Sans is the closest installed match to Verdana's wide metrics and
  // serves for the sans-serif dialog face too; DejaVu Sans Mono for Courier.
  if (family.compare("Courier New", Qt::CaseInsensitive) == 0) return "DejaVu Sans Mono";
  return "DejaVu Sans";
}

QFont screenFont(const QString& family, int pixel_height, int style) {
  QFont font(substituteFamily(family));
  font.setPixelSize(pixel_height);
  font.setBold((style & Bold) != 0);
  font.setItalic((style & Italic) != 0);
  return font;
}

}  // namespace kelvo
