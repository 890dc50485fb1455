// The real program driven on a virtual X display (tests/support/xcb-capture):
// the steps of one session, and what its screenshots show.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <filesystem>
#include <string>
#include <vector>

namespace kelvo::test {

// Returns how many pixels of IMAGE inside RECT satisfy TEST.
template <class Test>
int countPixels(const QImage& image, QRect rect, Test test) {
  int count = 0;
  rect = rect.intersected(image.rect());
  for (int y = rect.top(); y <= rect.bottom(); ++y) {
    for (int x = rect.left(); x <= rect.right(); ++x) count += test(image.pixelColor(x, y)) ? 1 : 0;
  }
  return count;
}

// Returns where the client area of a WIDTH x HEIGHT window lies on IMAGE:
// with no window manager a screen centred on the display sits in its middle.
QPoint centredOrigin(const QImage& image, int width, int height);

// One horizontal stretch of text on a screenshot, from LEFT to RIGHT.
struct InkRun {
  int left = 0;
  int right = 0;
};

// Returns the stretches of dark pixels inside ROW (a band one text line
// high), read left to right; columns of no ink narrower than JOIN join their
// neighbours, so that the words of one text make one stretch.
std::vector<InkRun> inkRuns(const QImage& image, QRect row, int join);

// Returns how many pixels differ between A and B inside RECT; all of them
// when the two differ in size (one is missing, say).
int differingPixels(const QImage& a, const QImage& b, QRect rect);

// The steps of one session of the real program, run in the working folder
// WORK; its screenshots are saved in SHOTS.
class XcbSession {
 public:
  XcbSession(std::filesystem::path work, std::filesystem::path shots)
      : work_(std::move(work)), shots_(std::move(shots)) {}

  // Sends keys with xdotool ("key Tab"), then lets the program settle.
  XcbSession& keys(const std::string& xdotool_args);
  // Saves the display to NAME (in the shots folder) at once.
  XcbSession& shot(const std::string& name);
  XcbSession& wait(double seconds);
  // Waits until the shell COMMAND succeeds.
  XcbSession& until(const std::string& command);
  // Runs the shell COMMAND on the display once.
  XcbSession& run(const std::string& command);

  // Runs the program with these steps, SETTLE seconds after its start and
  // after each keys step, then saves the display to "final.png". Returns
  // the command's exit status (0 when every step held) and its own output in
  // *LOG.
  int start(double settle, std::string* log);

  // Returns the screenshot NAME of the last start (a null image if missing).
  QImage image(const std::string& name) const;

 private:
  std::filesystem::path work_;
  std::filesystem::path shots_;
  std::vector<std::string> steps_;
};

// Returns the text of the file PATH, or empty text.
std::string fileText(const std::filesystem::path& path);

}  // namespace kelvo::test
