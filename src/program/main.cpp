// atualiza_quarvessa: the updater's executable.
#include <QApplication>

#include "program/Atualiza_Quarvessa.h"
#include "program/startup_settings.h"

int main(int argc, char** argv) {
  const auto app = kelvo::startApplication(argc, argv);
  return kelvo::Atualiza_Quarvessa(*app);
}
