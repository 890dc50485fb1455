// The error screen.
#include "screens/unit2.h"

#include <QLabel>
#include <QPushButton>

#include "components/label3d.h"
#include "components/net_gradient.h"
#include "screens/screen_controls.h"
#include "screens/screen_fonts.h"

namespace kelvo {

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Erro");
  setFixedSingleBorder(this, 826, 266);
  setFont(screenFont("MS Sans Serif", 11));

  // Larger than the screen and shifted up and left: only its lower right part shows.
  NetGradient1 = new TNetGradient(this);
  NetGradient1->setGeometry(-88, -344, 914, 610);
  NetGradient1->SetBeginColor(clMaroon);
  NetGradient1->SetEndColor(clBtnFace);
  NetGradient1->SetCaption(" ");
  NetGradient1->SetTextLeft(12);
  NetGradient1->SetTextTop(5);
  NetGradient1->SetFont({screenFont("MS Sans Serif", 11, Bold), clWindowText});

  myLabel3d1 = new TmyLabel3D(this);
  // Sized to its caption once every property is in place, as a loaded
  // screen does, so that the caption wraps within the designed width.
  myLabel3d1->SetAutoSize(false);
  myLabel3d1->setGeometry(96, 0, 635, 234);
  myLabel3d1->SetCaption("ERRO DE SCRIPT AVISAR ORVALIS SISTEMAS");
  myLabel3d1->SetTextStyle(tsRaised);
  myLabel3d1->SetShift(1);
  myLabel3d1->SetAlignment(taCenter);
  myLabel3d1->SetWordWrap(true);
  myLabel3d1->SetTransparent(true);
  myLabel3d1->SetColor(clBlack);
  myLabel3d1->SetFont({screenFont("Verdana", 64, Bold), clYellow});
  myLabel3d1->SetBorder(false);
  myLabel3d1->SetBorderColor(clRed);
  myLabel3d1->SetBorderPenStyle(psSolid);
  myLabel3d1->SetBorderType(btDefault);
  myLabel3d1->SetEscapement(0);
  myLabel3d1->SetLabelStyle(lsDefault);
  myLabel3d1->SetEllipsesStyle(esNone);
  myLabel3d1->SetAutoSize(true);

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
