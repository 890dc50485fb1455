// The prepared machine of the main screen tests.
#include "screens/main_screen_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include "screens/unit1.h"

namespace kelvo::test {

MessageAnswerer::MessageAnswerer(std::vector<SeenMessage>& seen) : seen_(seen) {
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    seen_.push_back({box->windowTitle().toStdString(), box->text().toStdString(), box->icon()});
    box->button(QMessageBox::Ok)->click();
  });
  timer_.start(10);
}

bool waitUntil(const std::function<bool()>& condition, int timeout_ms) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > timeout_ms) return false;
    QTest::qWait(10);
  }
  return true;
}

MainScreenMachine::MainScreenMachine() : client_database(setUpStore("main executable")) {
  placeArchiverStandIn("Program Files");
}

Tfrmkelvoupdate& MainScreenMachine::show(bool confirmed) {
  aliases_ = std::make_unique<AliasFileRegistry>(writeAliasFile().string());
  screen_ = std::make_unique<Tfrmkelvoupdate>(nullptr, *aliases_);
  auto* confirmation = new TForm1();
  if (confirmed) confirmation->BitBtn1Click();
  screen_->setConfirmationScreen(confirmation);
  WorkingFolder cwd(work.path());
  MessageAnswerer answerer(messages);
  screen_->show();
  return *screen_;
}

}  // namespace kelvo::test
