// The preparation's requests, carried out on the main screen's controls.
#include "screens/main_screen_preparation_view.h"

#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "screens/application_title.h"
#include "screens/screen_controls.h"
#include "screens/uAguarde.h"
#include "screens/unit1.h"
#include "screens/untfrmkelvoupdate.h"

namespace kelvo {

namespace {
const QColor kGreen(0, 128, 0);
constexpr int kAliasRowHeight = 13;
}  // namespace

void MainScreenPreparationView::setProgramFolder(const std::string& folder) {
  screen_.PROGR = QString::fromStdString(folder);
}

void MainScreenPreparationView::releaseConfirmation() {
  delete screen_.confirmation_;
  screen_.confirmation_ = nullptr;
}

void MainScreenPreparationView::showMessage(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, QString::fromStdString(text),
                  QMessageBox::Ok, &screen_);
  box.exec();
}

void MainScreenPreparationView::closeSoon() { screen_.Timer2->start(); }

void MainScreenPreparationView::setUpdateEnabled(bool enabled) {
  screen_.Button1->setEnabled(enabled);
}

void MainScreenPreparationView::showMainExecutable(const std::string& text) {
  screen_.Label9->setText(QString::fromStdString(text));
  setTextColor(screen_.Label9, kGreen);
  screen_.Label9->adjustSize();
}

void MainScreenPreparationView::addAlias(const std::string& alias) {
  auto* item = new QListWidgetItem(QString::fromStdString(alias), screen_.CheckListBox1);
  item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  item->setCheckState(Qt::Unchecked);
  item->setSizeHint(QSize(screen_.CheckListBox1->viewport()->width(), kAliasRowHeight));
}

void MainScreenPreparationView::createWaitScreen(UpdateData& data) {
  screen_.aguarde = new Taguarde(&screen_, data);
}

void MainScreenPreparationView::tickAlias(std::size_t row) {
  screen_.CheckListBox1->item(static_cast<int>(row))->setCheckState(Qt::Checked);
}

void MainScreenPreparationView::showReady(const std::string& prompt) {
  screen_.StatusPanel0->setText(QString::fromStdString(prompt));
  giveKeyboardFocus(screen_.Button1);
}

}  // namespace kelvo
