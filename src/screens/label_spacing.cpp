// A label that gives way to the one before it on its line.
#include "screens/label_spacing.h"

#include <QEvent>
#include <QLabel>
#include <algorithm>

namespace kelvo {

namespace {

// Watches the leader: every change of its size or place repositions the
// follower, whichever code set the leader's text.
class FollowerPlacement : public QObject {
 public:
  FollowerPlacement(QLabel* leader, QLabel* follower, int gap)
      : QObject(leader),
        leader_(leader),
        follower_(follower),
        designed_left_(follower->x()),
        gap_(gap) {
    place();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == leader_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
      place();
    }
    return false;
  }

 private:
  void place() {
    const int left = std::max(designed_left_, leader_->x() + leader_->width() + gap_);
    if (left != follower_->x()) follower_->move(left, follower_->y());
  }

  QLabel* leader_;
  QLabel* follower_;
  int designed_left_;
  int gap_;
};

}  // namespace

void keepClearOf(QLabel* leader, QLabel* follower, int gap) {
  leader->installEventFilter(new FollowerPlacement(leader, follower, gap));
}

}  // namespace kelvo
