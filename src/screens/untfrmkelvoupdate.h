// The main update screen: the application's main window, where the update is
// prepared and driven.
#pragma once

#include <QIcon>
#include <QList>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "platform/tdatetime.h"

class QFrame;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;
class QTreeWidget;

namespace kelvo {

class TForm1;

class Tfrmkelvoupdate : public QWidget {
  Q_OBJECT

 public:
  explicit Tfrmkelvoupdate(QWidget* parent = nullptr);
  ~Tfrmkelvoupdate() override;

  // Hands over the confirmation screen, whose tag tells whether the operator
  // confirmed; the main screen frees it once it has read it.
  void setConfirmationScreen(TForm1* screen);

  int Tag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }

  QFrame* Panel1 = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QFrame* Panel2 = nullptr;
  QLabel* Image2 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label9 = nullptr;
  QPlainTextEdit* Memo3 = nullptr;
  QTreeWidget* TreeView3 = nullptr;
  QLabel* Label10 = nullptr;
  QListWidget* CheckListBox1 = nullptr;
  QProgressBar* Gauge1 = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QLabel* lblstatus = nullptr;
  QLabel* lblcontador = nullptr;
  QLabel* Label3 = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button3 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QLabel* StatusPanel0 = nullptr;  // panel 0 of StatusBar1
  QList<QIcon> ImageList1;         // lamps: 0 green, 1 green, 2 blue, 3 orange, 4 red
  QTimer* Timer2 = nullptr;

  // Size in bytes of the file in transfer; 0 when unknown.
  std::uint32_t BytesToTransfer = 0;
  // The program-files folder that holds the archiver.
  QString PROGR;

 public slots:
  void FormShow();
  void Timer2Timer();
  void bfecharClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void createHeader();
  void createBody();
  void FormClose();

  TDateTime STime = 0;  // start of the current transfer
  int tag_ = 0;
  bool shown_ = false;
  TForm1* confirmation_ = nullptr;
};

}  // namespace kelvo
