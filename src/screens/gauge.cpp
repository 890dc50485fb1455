// The percentage gauge's look.
#include "screens/gauge.h"

#include <QProgressBar>

namespace kelvo {

void setGaugeForeColor(QProgressBar* gauge, QColor fore) {
  // A style sheet that names only the fill lets the fill take the whole
  // bar, frame included; with the bar's own border given, the fill is laid
  // out inside it.
  gauge->setStyleSheet(QString("QProgressBar { border: 1px solid black; background: white; "
                               "color: black; text-align: center; }"
                               "QProgressBar::chunk { background: %1; }")
                           .arg(fore.name()));
}

}  // namespace kelvo
