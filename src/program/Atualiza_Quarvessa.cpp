// The start-up sequence: confirmation first, then the main screen.
#include "program/Atualiza_Quarvessa.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <exception>
#include <memory>

#include "screens/application_title.h"
#include "screens/unit1.h"
#include "screens/untfrmkelvoupdate.h"

namespace kelvo {

namespace {

// Shows ERROR's text in the application's error box.
void reportUnexpectedError(const std::exception_ptr& error) {
  QString text = QStringLiteral("Unexpected error");
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    text = QString::fromStdString(e.what());
  } catch (...) {
  }
  QMessageBox box(QMessageBox::Critical, kApplicationTitle, text, QMessageBox::Ok);
  box.exec();
}

}  // namespace

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
  // The preparation runs while the main screen is first shown, before the
  // message loop: what it did not expect ends the process.
  if (const std::exception_ptr error = main_screen->preparationError()) {
    reportUnexpectedError(error);
    return 1;
  }
  if (terminate) QTimer::singleShot(0, &app, &QCoreApplication::quit);
  return app.exec();
}

}  // namespace kelvo
