// Paint times of the confirmation screen's gradient backdrop (906 x 610, 255
// bands) and raised banner (73-pixel bold caption, word-wrapped), on the real
// screen created with the program's own start-up settings. Every figure is
// checked against what the timed paint left: a paint that drew no text is
// reported as a failure, not as a time.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "components/label3d.h"
#include "components/net_gradient.h"
#include "program/startup_settings.h"
#include "screens/unit1.h"

namespace {

constexpr int kRounds = 301;
constexpr double kFrameMs = 1000.0 / 60.0;

// Returns the median of ROUNDS timings of WORK, in milliseconds.
double medianMs(const std::function<void()>& work, int rounds = kRounds) {
  for (int i = 0; i < 5; ++i) work();  // warm caches and glyph tables
  std::vector<double> times;
  times.reserve(rounds);
  QElapsedTimer timer;
  for (int i = 0; i < rounds; ++i) {
    timer.start();
    work();
    times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  std::nth_element(times.begin(), times.begin() + rounds / 2, times.end());
  return times[rounds / 2];
}

// Returns how many pixels of IMAGE inside AREA are pure COLOR.
int countPixels(const QImage& image, const QRect& area, QRgb color) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  int n = 0;
  const QRect inside = area.intersected(rgb.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = inside.left(); x <= inside.right(); ++x)
      n += (line[x] & 0xFFFFFF) == (color & 0xFFFFFF);
  }
  return n;
}

bool all_ok = true;

// Times WORK and prints the figure; INK, asked after the timing, counts the
// text pixels the last timed paint left, which must reach MIN_INK for the
// figure to count.
void report(const char* what, const std::function<void()>& work, double target,
            const std::function<int()>& ink, int min_ink, int rounds = kRounds) {
  const double ms = medianMs(work, rounds);
  const int drawn = ink();
  const bool drew = drawn >= min_ink;
  all_ok &= drew && ms < target;
  std::printf("%-46s median %8.3f ms (target < %5.1f ms)  pixels drawn %6d%s%s\n", what, ms, target,
              drawn, ms < target ? "" : "  MISSED", drew ? "" : "  NO TEXT DRAWN");
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const auto app = kelvo::startApplication(argc, argv);

  kelvo::TForm1 screen;
  kelvo::TNetGradient& backdrop = *screen.NetGradient1;
  kelvo::TmyLabel3D& banner = *screen.myLabel3d1;
  screen.show();
  QApplication::processEvents();
  const QRgb white = qRgb(255, 255, 255);
  const QRect banner_area = banner.geometry();
  const QRect banner_rect(QPoint(0, 0), banner.size());

  // The glyphs' own pixel count, drawn once outside any timing: each timed
  // paint must leave at least nine tenths of it.
  QImage reference(banner.size(), QImage::Format_RGB32);
  reference.fill(Qt::black);
  {
    QPainter painter(&reference);
    banner.Paint(painter);
  }
  const int glyph_pixels = countPixels(reference, banner_rect, white);
  const int min_ink = std::max(1, glyph_pixels * 9 / 10);
  std::printf("%d rounds each, Qt %s, platform %s; banner glyphs %d white pixels\n", kRounds,
              qVersion(), qPrintable(QGuiApplication::platformName()), glyph_pixels);
  if (glyph_pixels < 10000) {
    std::printf("the banner drew almost nothing: no figure below means anything\n");
    all_ok = false;
  }

  QImage backdrop_image(backdrop.size(), QImage::Format_RGB32);
  report(
      "backdrop 906x610, 255 bands, into an image",
      [&] {
        backdrop_image.fill(Qt::black);
        QPainter painter(&backdrop_image);
        backdrop.Paint(painter);
      },
      2, [&] { return countPixels(backdrop_image, backdrop_image.rect(), qRgb(202, 101, 0)); },
      backdrop.height() * 3);

  QImage banner_image(banner.size(), QImage::Format_RGB32);
  const auto paintBanner = [&] {
    banner_image.fill(Qt::black);
    QPainter painter(&banner_image);
    banner.Paint(painter);
  };
  const auto bannerInk = [&] { return countPixels(banner_image, banner_rect, white); };
  report("banner 73 px raised, unchanged, into an image", paintBanner, kFrameMs, bannerInk,
         min_ink);

  // A changed caption draws the text passes afresh instead of reusing them.
  const QString caption = banner.Caption();
  bool toggle = false;
  const auto changeCaption = [&] {
    toggle = !toggle;
    banner.SetCaption(toggle ? caption + QStringLiteral(" ") : caption);
  };
  report(
      "banner caption changed, into an image",
      [&] {
        changeCaption();
        paintBanner();
      },
      kFrameMs, bannerInk, min_ink);

  // Through the window system's own repaint; the window's pixels are read
  // back from the screen afterwards.
  const auto windowInk = [&] {
    const QImage shot = screen.screen()->grabWindow(screen.winId()).toImage();
    return countPixels(shot, banner_area, white);
  };
  report(
      "backdrop widget repaint()", [&] { backdrop.repaint(); }, 2, windowInk, min_ink);
  report(
      "banner widget repaint(), caption changed",
      [&] {
        changeCaption();
        banner.repaint();
      },
      kFrameMs, windowInk, min_ink);

  // End ellipsis of a 16 000-character caption in the banner's box.
  kelvo::TmyLabel3D long_label;
  long_label.SetFont(banner.Font());
  long_label.SetEllipsesStyle(kelvo::esEnd);
  long_label.resize(889, 100);
  QString long_caption;
  for (int i = 0; i < 16000; ++i) long_caption += QChar(u'A' + i % 26);
  QImage long_image(long_label.size(), QImage::Format_RGB32);
  bool long_toggle = false;
  report(
      "16000-char end ellipsis, caption changed",
      [&] {
        long_toggle = !long_toggle;
        long_label.SetCaption(long_toggle ? long_caption : long_caption + QChar(u'Z'));
        long_image.fill(Qt::black);
        QPainter painter(&long_image);
        long_label.Paint(painter);
      },
      100, [&] { return countPixels(long_image, long_image.rect(), white); }, 1000, 21);
  return all_ok ? 0 : 1;
}
