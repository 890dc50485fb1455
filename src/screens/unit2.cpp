// The error screen.
#include "screens/unit2.h"

#include <QLabel>
#include <QPushButton>

#include "screens/screen_controls.h"
#include "screens/screen_fonts.h"
#include "screens/warning_decorations.h"

namespace kelvo {

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Erro");
  setFixedSingleBorder(this, 826, 266);
  setFont(screenFont("MS Sans Serif", 11));
  // The operator acknowledges the failure: Escape does not dismiss it.
  keepOpenOnEscape(this);

  // Larger than the screen and shifted up and left: only its lower right part shows.
  NetGradient1 = makeWarningBackdrop(this, {-88, -344, 914, 610}, clMaroon);
  myLabel3d1 = makeWarningBanner(this, {96, 0, 635, 234}, "ERRO DE SCRIPT AVISAR ORVALIS SISTEMAS",
                                 64, clYellow);

  Label1 = makeLabel(this, "SCRIPT EM EXECUÇÃO SALVO:", {8, 239, 716, 16},
                     screenFont("Verdana", 13, Bold), Qt::black);
  Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

  Button3 = makePictureButton(this, "&Cont..", {728, 236, 94, 26}, screenFont("Verdana", 19, Bold),
                              ":/pictures/door.png", {22, 22}, PictureSide::Left);
  connect(Button3, &QPushButton::clicked, this, &TForm2::Button3Click);
}

void TForm2::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  centreOnScreen(this);
}

void TForm2::Button3Click() { close(); }

}  // namespace kelvo
