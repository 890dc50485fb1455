// The wait screen and its data members.
#include "screens/uAguarde.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include "components/color_values.h"
#include "components/qt_color.h"
#include "platform/process.h"
#include "screens/aguarde_view.h"
#include "screens/screen_controls.h"
#include "screens/screen_fonts.h"

namespace kelvo {

Taguarde::Taguarde(QWidget* owner, UpdateData& data)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), data(data), pause(pauseMs) {
  setWindowTitle("Aviso");  // never visible: the screen has no caption bar
  setGeometry(150, 105, 183, 90);
  setFixedSize(183, 90);
  setFont(screenFont("MS Sans Serif", 11));
  setBackgroundColor(this, toQColor(clBtnFace));

  Shape1 = new QFrame(this);
  Shape1->setGeometry(0, -1, 183, 91);
  setBackgroundColor(Shape1, Qt::black);

  Bevel1 = new QFrame(this);
  Bevel1->setGeometry(0, 1, 183, 37);
  Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Bevel1->setLineWidth(1);

  // The labels size themselves to their text (84 x 18 and 88 x 13 in the
  // designed faces), so a substituted, wider face is not cut off.
  AGUARDE = makeLabel(this, "Aguarde...", {18, 10, 0, 0}, screenFont("Verdana", 15, Bold),
                      toQColor(15925247));
  Label1 = makeLabel(this, "Verificando Scripts", {32, 48, 0, 0}, screenFont("MS Sans Serif", 11),
                     toQColor(clSilver));

  pb1 = new QProgressBar(this);
  pb1->setGeometry(28, 68, 122, 17);
  pb1->setRange(1, 100);
  pb1->setValue(1);
  pb1->setTextVisible(false);

  Timer1 = new QTimer(this);
  Timer1->setInterval(100);
  connect(Timer1, &QTimer::timeout, this, &Taguarde::Timer1Timer);
}

Taguarde::~Taguarde() = default;

void Taguarde::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void Taguarde::FormShow() { Timer1->start(); }

void Taguarde::showModally(ScriptRun& scripts) {
  scripts_ = &scripts;
  exec();
  scripts_ = nullptr;
}

void Taguarde::Timer1Timer() {
  Timer1->stop();
  AguardeView view(*this);
  if (scripts_ == nullptr) {
    view.closeScreen();  // shown without a run: nothing to apply
    return;
  }
  if (scripts_->run(view).failed()) tag_ = 1;
}

}  // namespace kelvo
