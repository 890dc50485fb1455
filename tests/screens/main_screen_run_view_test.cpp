// The main screen's real controls behind the file update run's view.
#include "screens/main_screen_run_view.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTreeWidget>
#include <chrono>
#include <functional>
#include <thread>

#include "screens/modal_driver.h"
#include "screens/screen_controls.h"
#include "screens/untfrmkelvoupdate.h"
#include "update/transfer_progress.h"

namespace kelvo {
namespace {

TEST(MainScreenRunView, RowsLampsAndLabels) {
  Tfrmkelvoupdate screen;
  MainScreenRunView view(screen);
  view.addRow("total 2");
  view.addRow("-rw-r--r-- 1 u g 5 Dec 08 10:00 a.txt");
  view.setRowLamp(1, RowLamp::Downloading);
  ASSERT_EQ(screen.TreeView3->topLevelItemCount(), 2);
  EXPECT_EQ(screen.TreeView3->topLevelItem(1)->icon(0).cacheKey(), screen.ImageList1[3].cacheKey());
  view.setRowLamp(7, RowLamp::Failed);  // no such row: nothing happens
  view.clearRows();
  EXPECT_EQ(screen.TreeView3->topLevelItemCount(), 0);

  view.setListingLines({"one", "two"});
  EXPECT_EQ(screen.Memo3->toPlainText(), "one\ntwo");
  view.setStatusLine("Atualização finalizada com sucesso.");
  EXPECT_EQ(screen.lblstatus->text(), QString::fromUtf8("Atualização finalizada com sucesso."));
  EXPECT_GT(screen.lblstatus->width(), 100);  // fitted to its text
  view.setBytesToTransfer(0xFFFFFFFFu);
  EXPECT_EQ(screen.BytesToTransfer, 0xFFFFFFFFu);
}

TEST(MainScreenRunView, TransferProgressReachesTheLabelsGaugeAndStatusBar) {
  Tfrmkelvoupdate screen;
  MainScreenRunView view(screen);
  view.showTransferProgress(
      {"Transferidos: 1 Kb de 2 Kb", "Taxa de Transferencia: 1,00 KB/s; ", 50});
  EXPECT_EQ(screen.lblcontador->text(), "Transferidos: 1 Kb de 2 Kb");
  EXPECT_EQ(screen.lblstatus->text(), "Taxa de Transferencia: 1,00 KB/s; ");
  EXPECT_EQ(screen.Gauge1->value(), 50);
  view.showTransferProgress({"Transferidos: 1 Kb de 0 Kb", "x", std::nullopt});
  EXPECT_EQ(screen.Gauge1->value(), 50);  // an unknown size leaves the gauge alone

  TransferEnd end;
  end.status = "Download!!";
  end.counter = "Transferidos: 2 Kb";
  view.transferEnded(end);
  EXPECT_EQ(screen.lblstatus->text(), "Download!!");
  EXPECT_EQ(screen.lblcontador->text(), "Transferidos: 2 Kb");
  end.status.reset();
  end.counter = "Transferidos: 3 Kb";
  view.transferEnded(end);
  EXPECT_EQ(screen.lblstatus->text(), "Download!!");  // no direction: the status stays

  view.showConnectionState("Conectando..", false);
  EXPECT_EQ(screen.StatusPanel0->text(), "Conectando..");
  EXPECT_EQ(screen.Gauge1->value(), 50);
  view.showConnectionState("Desconectado!", true);
  EXPECT_EQ(screen.StatusPanel0->text(), "Desconectado!");
  EXPECT_EQ(screen.Gauge1->value(), 0);
}

// Returns true when what the screen last put on display within WIDGET's
// bounds is what WIDGET shows now.
bool shownAsItIs(Tfrmkelvoupdate& screen, QWidget* widget) {
  const QRect area(widget->mapTo(&screen, QPoint(0, 0)), widget->size());
  const QImage shown = screen.screen()->grabWindow(screen.winId()).toImage().copy(area);
  const QImage now = screen.grab(area).toImage();
  return shown.convertToFormat(QImage::Format_RGB32) == now.convertToFormat(QImage::Format_RGB32);
}

// The run's displays reach the screen at most once per display frame, and
// none the operator could read is lost: whatever stands a frame after the
// last painting, or when a file's last byte is in, is on display at once,
// without the window's messages running.
TEST(MainScreenRunView, ChangesAreShownAtMostOncePerFrameAndNoneThatStaysIsLost) {
  Tfrmkelvoupdate screen;
  MainScreenRunView view(screen);
  screen.show();
  view.addRow("-rw-r--r-- 1 u g 5 Dec 08 10:00 a.txt");
  QCoreApplication::processEvents();
  TransferProgress progress(FormatSettings::brazilian());
  const auto frame = [] { std::this_thread::sleep_for(std::chrono::milliseconds(20)); };
  struct Case {
    const char* what;
    std::function<void()> calls;
    QWidget* changed;
  };
  const Case cases[] = {
      {"a lamp a frame after the last painting",
       [&] {
         frame();
         view.setRowLamp(0, RowLamp::Downloading);
         view.repaintRows();
       },
       screen.TreeView3},
      {"a connection state a frame after the last painting",
       [&] {
         frame();
         view.showConnectionState("Transferindo..", false);
       },
       screen.StatusBar1},
      {"thousands of work events within frames, up to the file's last byte",
       [&] {
         progress.setBytesToTransfer(4000 * 1024);
         view.transferBegan(progress.begin());
         for (int i = 1; i <= 4000; ++i) view.showTransferProgress(progress.work(i * 1024));
       },
       screen.lblcontador},
      {"the end of a transfer a frame after the last painting",
       [&] {
         frame();
         view.transferEnded(progress.end(wmRead));
       },
       screen.lblstatus},
  };
  for (const Case& c : cases) {
    c.calls();
    EXPECT_TRUE(shownAsItIs(screen, c.changed)) << c.what;
  }
  EXPECT_EQ(screen.Gauge1->value(), 100);
  EXPECT_EQ(screen.lblcontador->text(), "Transferidos: 4.000 Kb");
  screen.hide();
}

TEST(MainScreenRunView, BoxesOnlyWhileTheScreenIsShownAndTheProgressReset) {
  Tfrmkelvoupdate screen;
  MainScreenRunView view(screen);
  view.showInformation("nobody sees this");  // hidden: returns at once

  screen.show();
  QString seen;
  test::whenShown<QMessageBox>([&](QMessageBox* box) {
    seen = box->windowTitle() + "|" + box->text();
    box->accept();
  });
  view.showInformation("Transfer aborted");
  EXPECT_EQ(seen, "KelvoUpdate|Transfer aborted");

  screen.Gauge1->setMaximum(7);
  screen.Gauge1->setValue(5);
  screen.ProgressBar1->show();
  view.resetProgress();
  EXPECT_EQ(screen.Gauge1->value(), 0);
  EXPECT_EQ(screen.Gauge1->maximum(), 100);
  EXPECT_FALSE(screen.ProgressBar1->isVisible());
  screen.hide();
}

}  // namespace
}  // namespace kelvo
