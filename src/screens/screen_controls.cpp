// Builders for fixed-position controls.
#include "screens/screen_controls.h"

#include "screens/screen_pictures.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace kelvo {

void setFixedSingleBorder(QWidget* window, int width, int height) {
  window->setFixedSize(width, height);
  window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint);
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
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  palette.setColor(QPalette::ButtonText, color);
  palette.setColor(QPalette::Text, color);
  widget->setPalette(palette);
}

void setBackgroundColor(QWidget* widget, QColor color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, color);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

}  // namespace kelvo
