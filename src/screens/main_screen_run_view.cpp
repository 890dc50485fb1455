// The main screen's controls behind the file update run's view.
#include "screens/main_screen_run_view.h"

#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTreeWidget>

#include "screens/application_title.h"
#include "screens/gauge.h"
#include "screens/uAguarde.h"
#include "screens/untfrmkelvoupdate.h"

namespace kelvo {

namespace {

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void setLabelText(QLabel* label, const std::string& text) {
  label->setText(fromUtf8(text));
  label->adjustSize();
}

void resetMainScreenProgress(Tfrmkelvoupdate& screen, bool yellow) {
  screen.Gauge1->setValue(0);
  screen.Gauge1->setMaximum(100);
  screen.ProgressBar1->hide();
  screen.Gauge1->show();
  if (yellow) setGaugeForeColor(screen.Gauge1, Qt::yellow);
  screen.Gauge1->repaint();
}

void MainScreenRunView::clearRows() { screen_.TreeView3->clear(); }

void MainScreenRunView::addRow(const std::string& text) {
  screen_.TreeView3->addTopLevelItem(new QTreeWidgetItem(QStringList{fromUtf8(text)}));
}

void MainScreenRunView::setRowLamp(std::size_t row, RowLamp lamp) {
  if (QTreeWidgetItem* item = screen_.TreeView3->topLevelItem(static_cast<int>(row))) {
    item->setIcon(0, screen_.ImageList1.value(static_cast<int>(lamp)));
  }
}

void MainScreenRunView::repaintRows() { screen_.frames_.paintIfDue(); }

void MainScreenRunView::setListingLines(const std::vector<std::string>& lines) {
  QStringList text;
  for (const std::string& line : lines) text.append(fromUtf8(line));
  screen_.Memo3->setPlainText(text.join('\n'));
}

void MainScreenRunView::setFileLabel(const std::string& text) {
  setLabelText(screen_.Label3, text);
}

void MainScreenRunView::setStatusLine(const std::string& text) {
  setLabelText(screen_.lblstatus, text);
}

void MainScreenRunView::setCounter(const std::string& text) {
  setLabelText(screen_.lblcontador, text);
}

void MainScreenRunView::setBytesToTransfer(std::uint32_t bytes) { screen_.BytesToTransfer = bytes; }

void MainScreenRunView::showMessage(const std::string& text) {
  if (!screen_.isVisible()) return;
  QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kApplicationTitle), fromUtf8(text),
                  QMessageBox::Ok, &screen_);
  box.exec();
}

void MainScreenRunView::showInformation(const std::string& text) {
  if (!screen_.isVisible()) return;
  QMessageBox box(QMessageBox::Information, QString::fromUtf8(kApplicationTitle), fromUtf8(text),
                  QMessageBox::Ok, &screen_);
  box.exec();
}

void MainScreenRunView::transferBegan(TDateTime STime) { screen_.ftpupdateWorkBegin(STime); }

void MainScreenRunView::showTransferProgress(const WorkProgress& progress) {
  screen_.ftpupdateWork(progress);
}

void MainScreenRunView::transferEnded(const TransferEnd& end) { screen_.ftpupdateWorkEnd(end); }

void MainScreenRunView::showConnectionState(const std::string& text, bool reset_progress) {
  screen_.ftpupdateStatus(text, reset_progress);
}

void MainScreenRunView::resetProgress() { resetMainScreenProgress(screen_, false); }

void MainScreenRunView::showWaitScreen(ScriptRun& scripts) {
  if (screen_.aguarde != nullptr) screen_.aguarde->showModally(scripts);
}

}  // namespace kelvo
