// The main screen's real controls behind the file update run's view.
#include "screens/main_screen_run_view.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTreeWidget>

#include "screens/modal_driver.h"
#include "screens/screen_controls.h"
#include "screens/untfrmkelvoupdate.h"

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
