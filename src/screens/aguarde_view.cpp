// The wait screen's side of the script run.
#include "screens/aguarde_view.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <algorithm>
#include <memory>

#include "screens/application_title.h"
#include "screens/uAguarde.h"
#include "screens/unit2.h"

namespace kelvo {

void AguardeView::setProgressMaximum(int maximum) { screen_.pb1->setMaximum(maximum); }

void AguardeView::setProgress(int position) {
  screen_.pb1->setValue(position);
  // The run keeps the thread: only the bar is painted while it works.
  screen_.pb1->repaint();
}

void AguardeView::showScriptError(const std::string& caption) {
  // Owned by the wait screen while shown, freed as soon as it is closed.
  std::unique_ptr<TForm2> form(new TForm2(&screen_));
  form->Label1->setText(QString::fromStdString(caption));
  // A caption of several lines (the backup below the record's name) gets
  // the height it needs, the screen growing with it.
  const int extra =
      static_cast<int>(std::count(caption.begin(), caption.end(), '\n')) * form->Label1->height();
  if (extra > 0) {
    form->Label1->resize(form->Label1->width(), form->Label1->height() + extra);
    form->setFixedSize(form->width(), form->height() + extra);
  }
  form->exec();
}

void AguardeView::pause(int milliseconds) { screen_.pause(milliseconds); }

void AguardeView::showRunError(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, kApplicationTitle, QString::fromStdString(text),
                  QMessageBox::Ok, &screen_);
  box.exec();
}

void AguardeView::closeScreen() { screen_.done(QDialog::Accepted); }

}  // namespace kelvo
