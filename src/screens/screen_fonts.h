// The screens' fonts. The designed faces ("Verdana", "MS Sans Serif",
// "Courier New") are Windows fonts; where they are missing a present face of
// similar metrics stands in, at the designed pixel size.
#pragma once

#include <QFont>
#include <QString>

namespace kelvo {

enum FontStyle { Regular = 0, Bold = 1, Italic = 2 };

// Returns the font FAMILY at PIXEL_HEIGHT pixels (character height) with
// STYLE, substituting a similar installed face when FAMILY is not installed.
QFont screenFont(const QString& family, int pixel_height, int style = Regular);

// Returns the installed family that stands in for FAMILY (FAMILY itself when
// it is installed).
QString substituteFamily(const QString& family);

}  // namespace kelvo
