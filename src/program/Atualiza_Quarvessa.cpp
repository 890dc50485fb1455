// The start-up sequence: confirmation first, then the main screen.
#include "program/Atualiza_Quarvessa.h"

#include <QApplication>
#include <QTimer>
#include <memory>

#include "screens/unit1.h"
#include "screens/untfrmkelvoupdate.h"

namespace kelvo {

int Atualiza_Quarvessa(QApplication& app) {
  // The program ends when the main screen closes, not when the confirmation
  // screen (the only window at first) does.
  app.setQuitOnLastWindowClosed(false);

  auto main_screen = std::make_unique<Tfrmkelvoupdate>();

  auto* confirmation = new TForm1();
  confirmation->exec();
  const bool terminate = confirmation->Tag() != 1;
  main_screen->setConfirmationScreen(confirmation);

  // The loop shows the main screen in every case; without confirmation its
  // show handler closes it again, and the requested termination ends the loop.
  main_screen->show();
  if (terminate) QTimer::singleShot(0, &app, &QCoreApplication::quit);
  return app.exec();
}

}  // namespace kelvo
