// Glyph cache size for the large banners.
#include "components/glyph_cache.h"

#include <QByteArray>
#include <QtGlobal>

namespace kelvo {

void configureGlyphCache() {
  if (!qEnvironmentVariableIsSet("QT_MAX_CACHED_GLYPH_SIZE")) {
    qputenv("QT_MAX_CACHED_GLYPH_SIZE", QByteArray("128"));
  }
}

}  // namespace kelvo
