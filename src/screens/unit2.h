// The error screen: names the failure record of a failed script run. Its
// users create it, write Label1, show it modally and free it.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kelvo {

class TNetGradient;
class TmyLabel3D;
class TForm2 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm2(QWidget* parent = nullptr);

  TNetGradient* NetGradient1 = nullptr;
  TmyLabel3D* myLabel3d1 = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* Button3 = nullptr;

 public slots:
  void Button3Click();

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace kelvo
