// The program's start-up settings.
#include "program/startup_settings.h"

#include <QApplication>

#include "screens/application_title.h"

namespace kelvo {

std::unique_ptr<QApplication> startApplication(int& argc, char** argv) {
  auto app = std::make_unique<QApplication>(argc, argv);
  // Plain message boxes take the application's title as their caption.
  app->setApplicationName(kApplicationTitle);
  return app;
}

}  // namespace kelvo
