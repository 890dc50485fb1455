// The wait screen's test bench.
#include "script_run_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <cstdlib>
#include <set>

#include "platform/files.h"
#include "screens/unit2.h"

namespace kelvo::test {

namespace {

// Saves WIDGET as NAME in the folder KELVO_SCREENSHOT_DIR names, once per
// process; does nothing when it names none.
void screenshot(QWidget& widget, const char* name) {
  static std::set<std::string> taken;
  const char* folder = std::getenv("KELVO_SCREENSHOT_DIR");
  if (folder == nullptr || !taken.insert(name).second) return;
  widget.grab().save(QString::fromLocal8Bit(folder) + "/" + name);
}

}  // namespace

ModalAnswerer::ModalAnswerer(const QWidget* wait_screen) {
  QObject::connect(&timer_, &QTimer::timeout, [this, wait_screen] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* form = qobject_cast<TForm2*>(modal)) {
      errorScreens.push_back(form->Label1->text().toStdString());
      if (form->parentWidget() != wait_screen) ownedByWaitScreen = false;
      screenshot(*form, "TForm2-script-run.png");
      form->Button3->click();
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      messages.push_back(box->text().toStdString());
      box->accept();
    }
  });
  timer_.start(10);
}

Taguarde& ScriptRunTest::screen() {
  if (!screen_) {
    registry_ = std::make_unique<AliasFileRegistry>(
        writeCatalogAliasFile(folder, catalog.name(), databases_.aliasText()).string());
    data_ = std::make_unique<UpdateData>(*registry_);
    screen_ = std::make_unique<Taguarde>(nullptr, *data_);
    screen_->pause = [this](int milliseconds) { pauses.push_back(milliseconds); };
    screen_->Database1.open();
  }
  return *screen_;
}

void ScriptRunTest::run(const std::vector<std::string>& ticked) {
  Taguarde& wait = screen();
  FailureClock clock;
  clock.now = [] { return encodeDate(2024, 3, 5) + encodeTime(14, 7, 9, 0); };
  clock.settings = FormatSettings::brazilian();
  ScriptRun scripts(*data_, ticked, clock);
  answers = std::make_unique<ModalAnswerer>(&wait);
  const auto during_run =
      QObject::connect(wait.pb1, &QProgressBar::valueChanged, [&wait](int value) {
        if (value > 1 && value < 100) screenshot(wait, "Taguarde.png");
      });
  wait.showModally(scripts);
  QObject::disconnect(during_run);
  EXPECT_FALSE(wait.isVisible());
  EXPECT_FALSE(wait.Timer1->isActive());
  EXPECT_EQ(wait.tipo, "");
  EXPECT_FALSE(wait.IBDatabase1.connected());
}

std::string ScriptRunTest::version(const std::string& alias) {
  const std::vector<std::string> values = column(alias, "select versao V from versao");
  return values.empty() ? "<no row>" : values.front();
}

std::vector<std::string> ScriptRunTest::records() {
  std::vector<std::string> names = findEntries("SCRIPT_ERRO*.*");
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace kelvo::test
