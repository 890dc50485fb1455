// atualiza_quarvessa: the updater's executable.
#include <QApplication>

#include "components/glyph_cache.h"
#include "program/Atualiza_Quarvessa.h"

int main(int argc, char** argv) {
  kelvo::configureGlyphCache();
  QApplication app(argc, argv);
  return kelvo::Atualiza_Quarvessa(app);
}
