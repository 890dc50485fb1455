// Small builders for the controls the screens place at fixed positions.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

namespace kelvo {

enum class PictureSide { Left, Right };
enum class MinimiseBox { Without, With };

// Gives WINDOW a fixed client area of WIDTH x HEIGHT with a title bar, system
// menu and close box, a minimise box when asked, and never a maximise box
// (a window of fixed size has nothing to maximise to).
void setFixedSingleBorder(QWidget* window, int width, int height,
                          MinimiseBox minimise = MinimiseBox::Without);

// Moves WINDOW to the centre of the screen it is on.
void centreOnScreen(QWidget* window);

// Returns a transparent label with TEXT (UTF-8) at GEOMETRY (an empty size
// sizes it to its text) in FONT and COLOR.
QLabel* makeLabel(QWidget* parent, const char* text, QRect geometry, const QFont& font,
                  QColor color);

// Returns a push button with CAPTION (UTF-8, '&' marks the access key) and the
// picture at RESOURCE of PICTURE_SIZE on SIDE of the caption.
QPushButton* makePictureButton(QWidget* parent, const char* caption, QRect geometry,
                               const QFont& font, const QString& resource, QSize picture_size,
                               PictureSide side);

// Widens LABEL to the left, keeping its right edge (at most WINDOW_WIDTH),
// when its text in its font is wider than the label, so that the whole text
// shows inside a window WINDOW_WIDTH wide.
void keepWholeTextInside(QLabel* label, int window_width);

// Lets BUTTON be pressed with Enter while it has the focus, as a Windows
// button is, without making it the window's default button (which Enter
// would press from any other control).
void pressOnEnterWhenFocused(QPushButton* button);

// Gives WIDGET the keyboard focus and shows it there: the styles draw the
// focus cue only once the keyboard has moved the focus, and an operator who
// drives the screen by keys must see where Enter goes.
void giveKeyboardFocus(QWidget* widget);

// Keeps DIALOG open when the operator presses Escape: only its own buttons,
// its close box and its system menu close it.
void keepOpenOnEscape(QDialog* dialog);

// Sets the colour WIDGET draws its text in while it is enabled; disabled, it
// keeps the style's greyed text.
void setTextColor(QWidget* widget, QColor color);

// Fills WIDGET's background with COLOR.
void setBackgroundColor(QWidget* widget, QColor color);

}  // namespace kelvo
