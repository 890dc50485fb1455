// The confirmation screen and the start-up gate.
#include "screens/unit1.h"

#include <QCheckBox>
#include <QCollator>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "screens/screen_controls.h"
#include "screens/screen_fonts.h"
#include "screens/unit2.h"
#include "screens/warning_decorations.h"
#include "update/failure_gate.h"

namespace kelvo {

namespace {
const QColor kOrange(202, 101, 0);  // colour value 26058
}  // namespace

TForm1::TForm1(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("Atualização"));
  setFixedSingleBorder(this, 906, 610, MinimiseBox::With);
  setFont(screenFont("MS Sans Serif", 11));
  // Escape does not abandon the screen: only "&Sair" or the close box do.
  keepOpenOnEscape(this);
  createControls();
}

TForm1::~TForm1() { delete error_screen_; }

void TForm1::createControls() {
  NetGradient1 = makeWarningBackdrop(this, {0, 0, 906, 610}, 26058);
  myLabel3d1 = makeWarningBanner(
      this, {6, 26, 889, 528},
      QString::fromUtf8(
          "FECHE TODOS OS APLICATIVOS ANTES DE FAZER A ATUALIZAÇÃO *inclusive os terminais**"),
      73, clWhite);

  Label2 = makeLabel(this, "Quarvessa", {719, 0, 181, 38}, screenFont("Verdana", 32, Bold | Italic),
                     Qt::black);
  // Where the designed face is missing the stand-in is wider than 181 pixels.
  keepWholeTextInside(Label2, 906);

  CheckBox1 = new QCheckBox(" ", this);
  CheckBox1->setGeometry(39, 560, 15, 17);
  setBackgroundColor(CheckBox1, kOrange);
  Label1 = makeLabel(this, "Todos Aplicativos locais foram fechados", {57, 560, 0, 0},
                     screenFont("Verdana", 16, Bold), Qt::black);

  CheckBox2 = new QCheckBox(" ", this);
  CheckBox2->setGeometry(39, 583, 15, 17);
  setBackgroundColor(CheckBox2, kOrange);
  Label3 = makeLabel(this, "Em todos os terminais os Sistemas foram fechados", {57, 583, 0, 0},
                     screenFont("Verdana", 16, Bold), Qt::black);

  BitBtn1 =
      makePictureButton(this, "&Continuar  ", {629, 567, 139, 38}, screenFont("Verdana", 16, Bold),
                        ":/pictures/arrow.png", {19, 20}, PictureSide::Right);
  BitBtn1->setEnabled(false);
  // No button is the screen's default: Enter on a check box must not confirm;
  // a focused button still takes Enter.
  pressOnEnterWhenFocused(BitBtn1);
  Button3 = makePictureButton(this, "&Sair", {795, 567, 90, 38}, screenFont("Verdana", 19, Bold),
                              ":/pictures/door.png", {22, 22}, PictureSide::Left);
  pressOnEnterWhenFocused(Button3);

  Timer1 = new QTimer(this);
  Timer1->setInterval(100);

  setTabOrder(CheckBox1, CheckBox2);
  setTabOrder(CheckBox2, BitBtn1);
  setTabOrder(BitBtn1, Button3);

  connect(CheckBox1, &QCheckBox::clicked, this, &TForm1::CheckBox1Click);
  connect(CheckBox2, &QCheckBox::clicked, this, &TForm1::CheckBox1Click);
  connect(BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
  connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
  connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
}

void TForm1::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!shown_) {
    shown_ = true;
    centreOnScreen(this);
    FormShow();
  }
}

void TForm1::FormShow() {
  QStringList names;
  ListaArquivos(kFailureRecordMask, names);
  if (!names.isEmpty()) {
    Timer1->start();
    error_screen_ = new TForm2(this);
    error_screen_->Label1->setText(QString::fromUtf8("SCRIPT EM EXECUÇÃO SALVO: ") + names.first());
  }
}

void TForm1::ListaArquivos(const QString& mask, QStringList& list) {
  for (const std::string& name : workingFolderNames(mask.toStdString())) {
    list.append(QString::fromStdString(name));
  }
  QCollator collator;
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::stable_sort(list.begin(), list.end(),
                   [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
}

void TForm1::CheckBox1Click() {
  BitBtn1->setEnabled(CheckBox1->isChecked() && CheckBox2->isChecked());
}

void TForm1::BitBtn1Click() {
  tag_ = 1;
  close();
}

void TForm1::Button3Click() { close(); }

void TForm1::Timer1Timer() {
  Timer1->stop();
  hide();
  if (error_screen_ != nullptr) {
    error_screen_->exec();
    delete error_screen_;
    error_screen_ = nullptr;
  }
  close();
}

}  // namespace kelvo
