// Keeps a label that follows another on the same line clear of it.
#pragma once

class QLabel;

namespace kelvo {

// Keeps FOLLOWER at its present left edge while LEADER ends at least GAP
// pixels before it; when LEADER grows wider than that, FOLLOWER moves right
// to GAP pixels past LEADER's right edge, and back once LEADER shrinks.
void keepClearOf(QLabel* leader, QLabel* follower, int gap);

}  // namespace kelvo
