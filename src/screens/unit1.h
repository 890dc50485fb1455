// The confirmation screen: the operator states that every application is
// closed; while a failure record lies in the working folder it gives way to
// the error screen instead.
#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;

namespace kelvo {

class TNetGradient;
class TmyLabel3D;
class TForm2;

class TForm1 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // Returns 1 once the operator confirmed, 0 otherwise.
  int Tag() const { return tag_; }

  // Adds to LIST the names of the working folder's entries that match MASK
  // by the Windows wildcard rules, skipping names that begin with ".", then
  // sorts LIST without regard to case by the user's locale.
  static void ListaArquivos(const QString& mask, QStringList& list);

  TNetGradient* NetGradient1 = nullptr;
  TmyLabel3D* myLabel3d1 = nullptr;
  QLabel* Label2 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QLabel* Label1 = nullptr;
  QCheckBox* CheckBox2 = nullptr;
  QLabel* Label3 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* Button3 = nullptr;
  QTimer* Timer1 = nullptr;

  // Returns the error screen the gate created, or null when the folder was clean.
  TForm2* errorScreen() const { return error_screen_; }

 public slots:
  void FormShow();
  void CheckBox1Click();
  void BitBtn1Click();
  void Button3Click();
  void Timer1Timer();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void createControls();

  int tag_ = 0;
  bool shown_ = false;
  TForm2* error_screen_ = nullptr;
};

}  // namespace kelvo
