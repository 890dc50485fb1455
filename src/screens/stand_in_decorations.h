// Simple stand-ins for the banded backdrop and the raised-text banner of the
// confirmation and error screens, until the real components take their place.
#pragma once

#include <QColor>
#include <QLabel>
#include <QWidget>

namespace kelvo {

// A plain two-colour vertical gradient.
class PlainBackdrop : public QWidget {
 public:
  PlainBackdrop(QWidget* parent, QColor begin, QColor end);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor begin_;
  QColor end_;
};

// A bold, centred, word-wrapped caption with a one-pixel red shadow.
class PlainBanner : public QLabel {
 public:
  PlainBanner(const QString& caption, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace kelvo
