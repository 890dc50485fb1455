// Entry point of the GUI test executables: the application object created
// with the program's own start-up settings (on the offscreen platform unless
// the environment names another), then every GoogleTest case on the UI thread.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "program/startup_settings.h"

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  const auto app = kelvo::startApplication(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
