// Text drawn or measured as one line by a single call, as the components'
// captions and mark-up runs are.
#pragma once

#include <QString>

namespace kelvo {

// Returns TEXT ready for a single-line draw or measure: a tab stays one
// blank character. Qt's text engine would otherwise move everything after a
// tab out to the next tab stop, which these one-line calls never do.
inline QString singleLineText(QString text) {
  text.replace(QChar(u'\t'), QChar(u' '));
  return text;
}

}  // namespace kelvo
