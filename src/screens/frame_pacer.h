// Paints a window at most once per display frame. The controls mark what
// changed on their own; the pacer puts those changes on the screen at once
// when a frame has passed since the last painting, and leaves them to the
// next occasion otherwise. Painting never lets other window messages run.
#pragma once

#include <QElapsedTimer>

class QWidget;

namespace kelvo {

class FramePacer {
 public:
  // A frame of a 60 Hz display.
  static constexpr int kFrameMs = 16;

  explicit FramePacer(QWidget* window) : window_(window) {}

  // Returns true when a frame has passed since the last painting.
  bool due() const { return !clock_.isValid() || clock_.elapsed() >= kFrameMs; }
  // Paints what changed, now when due.
  void paintIfDue() {
    if (due()) paintNow();
  }
  // Paints what changed, now.
  void paintNow();
  // The window's messages just ran, its painting among them.
  void painted() { clock_.start(); }

 private:
  QWidget* window_;
  QElapsedTimer clock_;
};

}  // namespace kelvo
