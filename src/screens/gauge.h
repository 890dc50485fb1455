// The percentage gauge: a framed bar that fills in its fore colour.
#pragma once

#include <QColor>

class QProgressBar;

namespace kelvo {

// Makes GAUGE fill in FORE on a white ground, inside a one-pixel frame that
// the fill never covers, with the percentage printed in its middle.
void setGaugeForeColor(QProgressBar* gauge, QColor fore);

}  // namespace kelvo
