// Builders for fixed-position controls.
#include "screens/screen_controls.h"

#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "screens/screen_pictures.h"

namespace kelvo {

namespace {

// Clicks its button on Enter or Return (which it receives only when focused).
class EnterPresses : public QObject {
 public:
  explicit EnterPresses(QPushButton* button) : QObject(button), button_(button) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    // Key events reach a button only while it holds the focus.
    if (watched == button_ && event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (button_->isEnabled()) button_->click();
        return true;
      }
    }
    return false;
  }

 private:
  QPushButton* button_;
};

// Swallows Escape before the dialog's own handling turns it into a reject.
class EscapeKeepsOpen : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject*, QEvent* event) override {
    return event->type() == QEvent::KeyPress &&
           static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
  }
};

}  // namespace

void giveKeyboardFocus(QWidget* widget) { widget->setFocus(Qt::TabFocusReason); }

void keepOpenOnEscape(QDialog* dialog) { dialog->installEventFilter(new EscapeKeepsOpen(dialog)); }

void pressOnEnterWhenFocused(QPushButton* button) {
  button->setAutoDefault(false);
  button->installEventFilter(new EnterPresses(button));
}

void setFixedSingleBorder(QWidget* window, int width, int height, MinimiseBox minimise) {
  window->setFixedSize(width, height);
  Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
  // Window managers give a dialog no minimise box whatever its hints: a
  // screen that can be minimised is an ordinary window.
  if (minimise == MinimiseBox::With) {
    flags |= Qt::Window | Qt::WindowMinimizeButtonHint;
  } else {
    flags |= Qt::Dialog;
  }
  window->setWindowFlags(flags);
}

void centreOnScreen(QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

QLabel* makeLabel(QWidget* parent, const char* text, QRect geometry, const QFont& font,
                  QColor color) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setFont(font);
  setTextColor(label, color);
  if (geometry.size().isEmpty()) {
    label->adjustSize();
    label->move(geometry.topLeft());
  } else {
    label->setGeometry(geometry);
  }
  return label;
}

QPushButton* makePictureButton(QWidget* parent, const char* caption, QRect geometry,
                               const QFont& font, const QString& resource, QSize picture_size,
                               PictureSide side) {
  ensureScreenPictures();
  auto* button = new QPushButton(QIcon(resource), QString::fromUtf8(caption), parent);
  button->setIconSize(picture_size);
  button->setFont(font);
  button->setGeometry(geometry);
  setTextColor(button, Qt::black);
  // A right-to-left button draws its picture after the caption.
  if (side == PictureSide::Right) button->setLayoutDirection(Qt::RightToLeft);
  return button;
}

void setTextColor(QWidget* widget, QColor color) {
  // The disabled group keeps the style's greyed text, so that a disabled
  // control still looks disabled.
  QPalette palette = widget->palette();
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::WindowText, color);
    palette.setColor(group, QPalette::ButtonText, color);
    palette.setColor(group, QPalette::Text, color);
  }
  widget->setPalette(palette);
}

void keepWholeTextInside(QLabel* label, int window_width) {
  const QFontMetrics metrics(label->font());
  const QString text = label->text();
  // An italic face leans past its advance: the ink's right edge counts too.
  const int needed = std::max({label->sizeHint().width(), metrics.horizontalAdvance(text),
                               metrics.tightBoundingRect(text).right() + 2});
  const QRect box = label->geometry();
  const int right = std::min(box.x() + box.width(), window_width);
  if (needed <= right - box.x()) return;
  const int left = std::max(0, right - needed);
  label->setGeometry(left, box.y(), right - left, box.height());
}

void setBackgroundColor(QWidget* widget, QColor color) {
  QPalette palette = widget->palette();
  // Buttons and check boxes fill from the button role, panels from the
  // window role: the widget's own role is the one its ground is painted in.
  palette.setColor(widget->backgroundRole(), color);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

}  // namespace kelvo
