// The wait screen: shown during the script run, and the holder of the data
// members every run uses (catalogue and client connections, script runner).
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "update/script_run.h"
#include "update/update_data.h"

class QFrame;
class QLabel;
class QProgressBar;
class QTimer;

namespace kelvo {

class Taguarde : public QDialog {
  Q_OBJECT

 public:
  // Creates the screen owned by OWNER over the update's data members DATA,
  // which outlive it.
  Taguarde(QWidget* owner, UpdateData& data);
  ~Taguarde() override;

  int Tag() const { return tag_; }
  void setTag(int tag) { tag_ = tag; }

  // Shows the screen modally; once it has painted, it performs SCRIPTS and
  // closes itself. The tag becomes 1 when a script failed.
  void showModally(ScriptRun& scripts);

  UpdateData& data;
  CatalogDatabase& Database1 = data.catalog.Database1;
  CatalogQuery& Query2 = data.catalog.Query2;
  CatalogQuery& Query3 = data.catalog.Query3;
  CatalogQuery& Table2 = data.catalog.Table2;
  IbDatabase& IBDatabase1 = data.client.IBDatabase1;
  IbTransaction& IBTransaction1 = data.client.IBTransaction1;
  IbTransaction& IBTransaction2 = data.client.IBTransaction2;
  IbQuery& IBQuery1 = data.client.IBQuery1;
  IbScript& IBScript1 = data.IBScript1;
  std::string& tipo = data.tipo;

  QFrame* Shape1 = nullptr;
  QFrame* Bevel1 = nullptr;
  QLabel* AGUARDE = nullptr;
  QLabel* Label1 = nullptr;
  QProgressBar* pb1 = nullptr;
  QTimer* Timer1 = nullptr;

  // Blocks for the given milliseconds after a failed script; the real pause
  // unless replaced.
  std::function<void(int)> pause;

 public slots:
  void FormShow();
  void Timer1Timer();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  int tag_ = 0;
  ScriptRun* scripts_ = nullptr;  // the run of the current modal display
};

}  // namespace kelvo
