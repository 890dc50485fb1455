// atualiza_quarvessa: the updater's executable.
#include <QApplication>
#include <QTimer>

#include "platform/stop_request.h"
#include "program/Atualiza_Quarvessa.h"
#include "program/startup_settings.h"

int main(int argc, char** argv) {
  const auto app = kelvo::startApplication(argc, argv);
  // SIGTERM and SIGINT (a logout, a service manager, timeout(1)) end the
  // program through its event loops, on the main thread, once the run has
  // reached a safe point. Left alone, the client database library takes
  // SIGTERM when the database opens, shuts its engine down inside the
  // running program and leaves the screens up.
  kelvo::watchStopSignals();
  QTimer stopWatch;
  QObject::connect(&stopWatch, &QTimer::timeout, [&app] {
    if (kelvo::stopRequested()) app->exit(130);
  });
  stopWatch.start(100);
  return kelvo::Atualiza_Quarvessa(*app);
}
