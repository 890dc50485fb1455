// The main screen's update: "&Atualizar agora" and "&Sair", the file update
// run's named members, and the FTP client's progress handlers.
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <cstdlib>
#include <exception>

#include "screens/application_title.h"
#include "screens/main_screen_run_view.h"
#include "screens/screen_controls.h"
#include "screens/uAguarde.h"
#include "screens/untfrmkelvoupdate.h"
#include "update/file_names.h"
#include "update/transfer_progress.h"

namespace kelvo {

void Tfrmkelvoupdate::batualizarClick() {
  Button1->setEnabled(false);
  try {
    AtualizaArquivos();
  } catch (const std::exception& e) {
    // The application's error box; the run stopped where it stood and the
    // button stays disabled, so only "&Sair" is left.
    if (isVisible()) {
      QMessageBox box(QMessageBox::Critical, kApplicationTitle, QString::fromStdString(e.what()),
                      QMessageBox::Ok, this);
      box.exec();
    }
    return;
  }
  Button1->setEnabled(true);
  // Disabling the button moved the focus on to "&Sair"; back on "&Atualizar
  // agora", as after the preparation, the operator's next Enter updates
  // again instead of ending the program. The wait screen and the message
  // boxes had the keyboard meanwhile: the screen takes it back.
  activateWindow();
  giveKeyboardFocus(Button1);
}

void Tfrmkelvoupdate::bfecharClick() {
  if (ftpupdate.Connected()) ftpupdate.Disconnect();
  close();
}

void Tfrmkelvoupdate::AtualizaArquivos() {
  // The update needs a successful preparation: the wait screen and its open
  // catalogue connection.
  if (aguarde == nullptr) return;
  MainScreenRunView view(*this);
  const UpdateResult result = update_.update(view, ftpupdate);
  // The connect failure's message has been shown: the process ends at once.
  if (result.files.connectFailure) std::exit(2);
  // The tag carried the wait screen's verdict to the final status line,
  // which the result now carries; it is 0 after every run.
  tag_ = 0;
}

bool Tfrmkelvoupdate::PrecisaBaixar(const QString& name, int index) {
  return kelvo::PrecisaBaixar(
      name.toStdString(),
      ftpupdate.DirectoryListing()[static_cast<std::size_t>(index)].modifiedDate, settings_);
}

QString Tfrmkelvoupdate::UltimaPalavra(const QString& line) {
  return QString::fromStdString(kelvo::UltimaPalavra(line.toStdString()));
}

void Tfrmkelvoupdate::ftpupdateWorkBegin(TDateTime start) {
  STime = start;
  unshownGauge_.reset();
}

void Tfrmkelvoupdate::ftpupdateWork(const WorkProgress& progress) {
  // Texts that change faster than the screen paints could not be read: a
  // work event between two frames only keeps its gauge for the transfer's
  // end, whose texts replace the labels'. The event of the file's last
  // byte is always shown, whatever the server takes to close the transfer.
  if (!progress.wholeFile && !frames_.due()) {
    if (progress.gauge) unshownGauge_ = progress.gauge;
    return;
  }
  unshownGauge_.reset();
  setLabelText(lblcontador, progress.counter);
  setLabelText(lblstatus, progress.status);
  QCoreApplication::processEvents();
  frames_.painted();
  if (progress.gauge) Gauge1->setValue(*progress.gauge);
  if (progress.wholeFile) frames_.paintNow();
}

void Tfrmkelvoupdate::ftpupdateWorkEnd(const TransferEnd& end) {
  if (unshownGauge_) Gauge1->setValue(*unshownGauge_);
  unshownGauge_.reset();
  if (end.status) setLabelText(lblstatus, *end.status);
  setLabelText(lblcontador, end.counter);
  frames_.paintIfDue();
}

void Tfrmkelvoupdate::ftpupdateStatus(const std::string& text, bool reset_progress) {
  StatusPanel0->setText(QString::fromStdString(text));
  if (reset_progress) resetMainScreenProgress(*this, true);
  // The controls marked what changed; painting only that shows the same
  // screen as painting all of it, for a fraction of the work.
  frames_.paintIfDue();
}

}  // namespace kelvo
