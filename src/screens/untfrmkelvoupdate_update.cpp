// The main screen's update: "&Atualizar agora" and "&Sair", the file update
// run's named members, and the FTP client's progress handlers.
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <exception>

#include "screens/application_title.h"
#include "screens/main_screen_run_view.h"
#include "screens/uAguarde.h"
#include "screens/untfrmkelvoupdate.h"
#include "update/file_names.h"
#include "update/file_update_run.h"
#include "update/transfer_progress.h"

namespace kelvo {

namespace {

// The transfer rate is kept between work events for the whole program.
double transferRate = 0;

}  // namespace

void Tfrmkelvoupdate::connectFtpEvents() {
  ftpupdate.OnStatus = [this](FtpClient& sender, TFtpStatus status, const std::string& text) {
    ftpupdateStatus(sender, status, text);
  };
  ftpupdate.OnWorkBegin = [this](FtpClient& sender, TWorkMode mode, std::int64_t count) {
    ftpupdateWorkBegin(sender, mode, count);
  };
  ftpupdate.OnWork = [this](FtpClient& sender, TWorkMode mode, std::int64_t count) {
    ftpupdateWork(sender, mode, count);
  };
  ftpupdate.OnWorkEnd = [this](FtpClient& sender, TWorkMode mode) {
    ftpupdateWorkEnd(sender, mode);
  };
}

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
}

void Tfrmkelvoupdate::bfecharClick() {
  if (ftpupdate.Connected()) ftpupdate.Disconnect();
  close();
}

void Tfrmkelvoupdate::AtualizaArquivos() {
  // The update needs a successful preparation: the wait screen and its open
  // catalogue connection.
  if (aguarde == nullptr) return;
  MainScreenRunView view(*this, [this] {
    if (aguarde == nullptr) return 0;
    // The script run works on the aliases ticked in the check list.
    aguarde->tickedAliases = [this] {
      std::vector<std::string> ticked;
      for (int i = 0; i < CheckListBox1->count(); ++i) {
        const QListWidgetItem* row = CheckListBox1->item(i);
        if (row->checkState() == Qt::Checked) ticked.push_back(row->text().toStdString());
      }
      return ticked;
    };
    aguarde->exec();
    return aguarde->Tag();
  });
  FileUpdateRun run(view, ftpupdate, aguarde->data.catalog, PROGR.toStdString(), settings_);
  run.AtualizaArquivos();
}

bool Tfrmkelvoupdate::PrecisaBaixar(const QString& name, int index) {
  return kelvo::PrecisaBaixar(
      name.toStdString(),
      ftpupdate.DirectoryListing()[static_cast<std::size_t>(index)].modifiedDate, settings_);
}

QString Tfrmkelvoupdate::UltimaPalavra(const QString& line) {
  return QString::fromStdString(kelvo::UltimaPalavra(line.toStdString()));
}

void Tfrmkelvoupdate::ftpupdateWorkBegin(FtpClient&, TWorkMode, std::int64_t) {
  STime = now();
  transferRate = 0;
}

void Tfrmkelvoupdate::ftpupdateWork(FtpClient&, TWorkMode, std::int64_t count) {
  const WorkProgress progress =
      workProgress(BytesToTransfer, STime, now(), count, transferRate, settings_);
  setLabelText(lblcontador, progress.counter);
  setLabelText(lblstatus, progress.status);
  QCoreApplication::processEvents();
  if (progress.gauge) Gauge1->setValue(*progress.gauge);
}

void Tfrmkelvoupdate::ftpupdateWorkEnd(FtpClient&, TWorkMode mode) {
  if (const auto text = workEndStatus(mode)) setLabelText(lblstatus, *text);
  setLabelText(lblcontador, workEndCounter(BytesToTransfer, settings_));
}

void Tfrmkelvoupdate::ftpupdateStatus(FtpClient&, TFtpStatus status, const std::string& text) {
  StatusPanel0->setText(QString::fromStdString(statusPanelText(status, text)));
  if (statusResetsProgress(status)) resetMainScreenProgress(*this, true);
  repaint();
}

}  // namespace kelvo
