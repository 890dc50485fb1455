// The real program on the real X11 platform: after the operator confirms by
// keyboard, the prepared main screen must be drawn as the operator sees it.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cstdlib>

#include "screens/main_screen_support.h"
#include "screens/xcb_session.h"
#include "support/scoped_env.h"
#include "support/services.h"

namespace kelvo {
namespace {

using test::countPixels;

TEST(MainScreenOnX11, PreparedScreenShowsTheGreenLabelAndTheTickedRow) {
  test::MainScreenMachine machine;
  test::ScopedEnv aliases("KELVOUPDATE_ALIASES", machine.writeAliasFile().string());
  const std::string shot = machine.path("screen.png");
  const std::string program =
      std::string(std::getenv("KELVO_BINARY_DIR")) + "/src/program/atualiza_quarvessa";
  // Tick both boxes, then "&Continuar  " (the confirmation screen's tab order).
  const std::string command = "cd '" + machine.work.path().string() + "' && '" +
                              test::sourceFolder() + "/tests/support/xcb-capture' '" + shot +
                              "' 3 --keys 'key space' --keys 'key Tab space'"
                              " --keys 'key Tab Return' -- '" +
                              program + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const QImage image(QString::fromStdString(shot));
  ASSERT_FALSE(image.isNull());

  // With no window manager the screen sits in the middle of the display.
  const QPoint origin((image.width() - 909) / 2, (image.height() - 628) / 2);
  const QRect label9 = QRect(116, 50 + 19, 320, 18).translated(origin);
  const auto green = [](const QColor& c) { return c == QColor(0, 128, 0); };
  const auto red = [](const QColor& c) { return c == QColor(255, 0, 0); };
  EXPECT_GT(countPixels(image, label9, green), 50) << "Label9 is not drawn in green";
  EXPECT_EQ(countPixels(image, label9, red), 0) << "Label9 still shows its design text";

  // The alias row's check box: a ticked one holds the dark strokes of its mark.
  const QRect indicator = QRect(8 + 2, 50 + 124 + 1, 20, 15).translated(origin);
  const auto dark = [](const QColor& c) { return c.lightness() < 64; };
  EXPECT_GE(countPixels(image, indicator, dark), 8) << "the alias row is not ticked";
}

}  // namespace
}  // namespace kelvo
