// Measures the median paint time of the confirmation screen's gradient
// backdrop (906 x 610, 255 bands) and raised banner (73-pixel bold caption,
// word-wrapped), each painted into an image and through a widget repaint;
// the banner also with its text drawn afresh on every paint.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "components/glyph_cache.h"
#include "components/label3d.h"
#include "components/net_gradient.h"

namespace {

constexpr int kRounds = 301;

// Returns the median of ROUNDS timings of WORK, in milliseconds.
double medianMs(const std::function<void()>& work) {
  for (int i = 0; i < 10; ++i) work();  // warm caches and glyph tables
  std::vector<double> times;
  times.reserve(kRounds);
  QElapsedTimer timer;
  for (int i = 0; i < kRounds; ++i) {
    timer.start();
    work();
    times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  std::nth_element(times.begin(), times.begin() + kRounds / 2, times.end());
  return times[kRounds / 2];
}

template <typename Control>
std::function<void()> paintIntoImage(Control& control, QImage& image) {
  return [&control, &image] {
    QPainter painter(&image);
    control.Paint(painter);
  };
}

void report(const char* what, double ms, double target) {
  std::printf("%-44s median %7.3f ms  (target < %.0f ms)%s\n", what, ms, target,
              ms < target ? "" : "  MISSED");
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  kelvo::configureGlyphCache();  // as the program does
  QApplication app(argc, argv);

  QWidget screen;
  screen.resize(906, 610);
  auto* backdrop = new kelvo::TNetGradient(&screen);
  backdrop->setGeometry(0, 0, 906, 610);
  backdrop->SetBeginColor(26058);
  backdrop->SetEndColor(kelvo::clBtnFace);
  backdrop->SetCaption(QStringLiteral(" "));
  kelvo::ComponentFont caption_font = backdrop->Font();
  caption_font.face = QFont(QStringLiteral("DejaVu Sans"));
  caption_font.face.setPixelSize(11);
  caption_font.face.setBold(true);
  backdrop->SetFont(caption_font);

  auto* banner = new kelvo::TmyLabel3D(&screen);
  banner->setGeometry(6, 26, 889, 528);
  banner->SetAutoSize(false);
  banner->SetCaption(QStringLiteral(
      "FECHE TODOS OS APLICATIVOS ANTES DE FAZER A ATUALIZAÇÃO *inclusive os terminais**"));
  banner->SetTextStyle(kelvo::tsRaised);
  banner->SetShift(1);
  banner->SetAlignment(kelvo::taCenter);
  banner->SetWordWrap(true);
  banner->SetTransparent(true);
  kelvo::ComponentFont banner_font;
  banner_font.face = QFont(QStringLiteral("DejaVu Sans"));
  banner_font.face.setPixelSize(73);
  banner_font.face.setBold(true);
  banner_font.color = kelvo::clWhite;
  banner->SetFont(banner_font);

  QImage backdrop_image(906, 610, QImage::Format_ARGB32_Premultiplied);
  QImage banner_image(889, 528, QImage::Format_ARGB32_Premultiplied);
  banner_image.fill(Qt::black);
  std::printf("%d rounds each, Qt %s, platform %s\n", kRounds, qVersion(),
              qPrintable(QGuiApplication::platformName()));
  report("backdrop 906x610, 255 bands, into an image",
         medianMs(paintIntoImage(*backdrop, backdrop_image)), 2);
  report("banner 73 px raised, wrapped, into an image",
         medianMs(paintIntoImage(*banner, banner_image)), 5);

  // A changed caption draws the text passes afresh instead of reusing them.
  const QString caption = banner->Caption();
  bool toggle = false;
  report("banner redrawn after each caption change", medianMs([&] {
           toggle = !toggle;
           banner->SetCaption(toggle ? caption + QStringLiteral(" ") : caption);
           QPainter painter(&banner_image);
           banner->Paint(painter);
         }),
         5);

  screen.show();
  QApplication::processEvents();
  report("backdrop widget repaint()", medianMs([&] { backdrop->repaint(); }), 2);
  report("banner widget repaint() (backdrop under it)", medianMs([&] { banner->repaint(); }), 5);
  return 0;
}
