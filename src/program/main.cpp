// atualiza_quarvessa: the updater's executable.
#include <QApplication>

#include "program/Atualiza_Quarvessa.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return kelvo::Atualiza_Quarvessa(app);
}
