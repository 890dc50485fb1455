// Painting a window's pending changes.
#include "screens/frame_pacer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace kelvo {

void FramePacer::paintNow() {
  // A change posts the window one update request; delivering it paints
  // every change made since, and nothing else runs.
  QCoreApplication::sendPostedEvents(window_, QEvent::UpdateRequest);
  painted();
}

}  // namespace kelvo
