// kelvo-screenshots FOLDER: renders the confirmation and error screens, as the
// operator first sees them (the program's own start-up settings), to
// FOLDER/<class>.png. The main and wait screens show a prepared site and a
// run, so their pictures come from the real program on a display instead.
#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <cstdio>

#include "program/startup_settings.h"
#include "screens/unit1.h"
#include "screens/unit2.h"

namespace {

bool save(QWidget& screen, const QString& folder, const char* name) {
  const QString path = folder + "/" + name + ".png";
  if (!screen.grab().save(path)) {
    std::fprintf(stderr, "kelvo-screenshots: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const auto app = kelvo::startApplication(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: kelvo-screenshots FOLDER\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  bool ok = true;

  kelvo::TForm1 confirmation;
  ok &= save(confirmation, folder, "TForm1");

  kelvo::TForm2 error;
  error.Label1->setText(QString::fromUtf8(
      "SCRIPT EM EXECUÇÃO SALVO: SCRIPT_ERRO_DT_05-03-2024_HR_14-07-09 M-LOJA.TXT"));
  ok &= save(error, folder, "TForm2");

  return ok ? 0 : 1;
}
