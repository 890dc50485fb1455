// What the operator sees and what the keys do, on the real program on the
// real X11 platform: screenshots read back, keys sent with xdotool.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "screens/main_screen_support.h"
#include "screens/xcb_session.h"
#include "screens/xcb_update_site.h"
#include "support/temp_folder.h"

namespace kelvo {
namespace {

namespace fs = std::filesystem;
using test::countPixels;
using test::differingPixels;

// The main screen's client area, and its controls in it (Panel2 begins at 50).
constexpr int kMainWidth = 909;
constexpr int kMainHeight = 628;
const QRect kButton1(11, 50 + 506, 182, 31);
const QRect kButton3(804, 50 + 506, 90, 31);
const QRect kHeader(0, 0, 909, 49);
const QRect kGauge(11, 50 + 466, 884, 20);
// The line of the counter (x 206) and the file name (x 401), one text high,
// up to "&Sair".
const QRect kCounterLine(200, 50 + 526, 600, 14);
constexpr int kCounterLeft = 206;
constexpr int kFileNameLeft = 401;

// Confirm both boxes and press "&Continuar  " (the confirmation screen's tab
// order), then let the main screen prepare.
test::XcbSession& confirm(test::XcbSession& session) {
  return session.wait(2).keys("key space").keys("key Tab space").keys("key Tab Return").wait(2);
}

bool yellow(const QColor& c) { return c.red() > 200 && c.green() > 200 && c.blue() < 80; }

// The gauge's one-pixel frame: its four edges.
int yellowOnGaugeFrame(const QImage& image, QPoint origin) {
  const QRect g = kGauge.translated(origin);
  return countPixels(image, QRect(g.left(), g.top(), g.width(), 1), yellow) +
         countPixels(image, QRect(g.left(), g.bottom(), g.width(), 1), yellow) +
         countPixels(image, QRect(g.left(), g.top(), 1, g.height()), yellow) +
         countPixels(image, QRect(g.right(), g.top(), 1, g.height()), yellow);
}

// Returns the share of the gauge's inside that is filled, read along a row
// above the percentage text.
double gaugeFill(const QImage& image, QPoint origin) {
  const QRect g = kGauge.translated(origin);
  const QRect row(g.left() + 1, g.top() + 2, g.width() - 2, 1);
  return static_cast<double>(countPixels(image, row, yellow)) / row.width();
}

std::string describe(const std::vector<test::InkRun>& runs, QPoint origin) {
  std::string text;
  for (const test::InkRun& run : runs) {
    text += " [" + std::to_string(run.left - origin.x()) + ", " +
            std::to_string(run.right - origin.x()) + "]";
  }
  return text;
}

// A whole update driven by keys: the focus as it moves, each download held
// open after its last byte (so the counter shows the whole file), the screen
// after the run, and a second run started with Enter.
TEST(MainScreenOnX11, TheRunShowsCounterAndFileApartTheGaugeInItsFrameAndTheFocusOnUpdate) {
  struct HeldDownload {
    const char* name;
    std::int64_t size;
    bool counterWiderThanDesigned;  // does the counter reach past x 401?
  };
  // "Transferidos: 2 Kb de 2 Kb" leaves the file name its place;
  // "Transferidos: 153.600 Kb de 153.600 Kb" does not.
  const HeldDownload downloads[] = {
      {"Pequeno.txt", 2048, false},
      {"Grande.bin", 150 * 1024 * 1024, true},
  };
  test::XcbUpdateSite site(0, 3);
  std::map<std::int64_t, const HeldDownload*> by_size;
  for (const HeldDownload& download : downloads) {
    // A sparse file: the server reads zeros, the disk holds nothing.
    std::ofstream(site.served(download.name)).close();
    fs::resize_file(site.served(download.name), static_cast<std::uintmax_t>(download.size));
    by_size[download.size] = &download;
  }

  const std::string holding = site.serverFile("holding");
  const std::string log = site.serverFile("log");
  test::XcbSession session(site.machine.work.path(), site.shots.path());
  confirm(session).shot("prepared.png").keys("key Tab").shot("tabbed.png").keys("key shift+Tab");
  session.keys("key Return");
  // The next download may be held before a poll sees the last one's end:
  // each hold is told from the one before by its byte count.
  std::string previous = "/dev/null";
  for (int i = 0; i < 2; ++i) {
    const std::string bytes =
        (site.shots.path() / ("held" + std::to_string(i) + ".bytes")).string();
    session.until("test -s '" + holding + "' && ! cmp -s '" + holding + "' '" + previous + "'")
        .wait(1)
        .run("cp '" + holding + "' '" + bytes + "'")
        .shot("held" + std::to_string(i) + ".png");
    previous = bytes;
  }
  // The server logs the end of each logged-in session.
  const auto sessions_ended = [&](int count) {
    return "test $(grep -c 'quarve] FTP session closed' '" + log + "') -ge " +
           std::to_string(count);
  };
  session.until(sessions_ended(1)).wait(3).shot("after.png");
  // Enter again: a second update (nothing left to fetch), not the end.
  session.keys("key Return").until(sessions_ended(2)).wait(3);
  // A step that failed (the program gone, say) leaves the shots taken
  // before it to be judged.
  std::string output;
  EXPECT_EQ(session.start(1, &output), 0) << output << test::fileText(log);

  const QImage prepared = session.image("prepared.png");
  ASSERT_FALSE(prepared.isNull());
  const QPoint origin = test::centredOrigin(prepared, kMainWidth, kMainHeight);

  // Tab moves the focus from "&Atualizar agora" to "&Sair", and both show it.
  const QImage tabbed = session.image("tabbed.png");
  EXPECT_GT(differingPixels(prepared, tabbed, kButton1.translated(origin)), 20)
      << "leaving \"&Atualizar agora\" changes nothing on it";
  EXPECT_GT(differingPixels(prepared, tabbed, kButton3.translated(origin)), 20)
      << "the focus on \"&Sair\" is not shown";

  for (int i = 0; i < 2; ++i) {
    const std::string held = "held" + std::to_string(i);
    const std::int64_t bytes =
        std::atoll(test::fileText(site.shots.path() / (held + ".bytes")).c_str());
    ASSERT_EQ(by_size.count(bytes), 1u) << "a held download of " << bytes << " bytes";
    const HeldDownload& download = *by_size[bytes];
    SCOPED_TRACE(download.name);
    const QImage image = session.image(held + ".png");
    ASSERT_FALSE(image.isNull());

    // Counter and file name: two texts, whatever the counter's width.
    const auto runs = test::inkRuns(image, kCounterLine.translated(origin), 8);
    ASSERT_EQ(runs.size(), 2u) << "texts on the counter's line at" << describe(runs, origin);
    EXPECT_NEAR(runs[0].left - origin.x(), kCounterLeft, 2);
    if (download.counterWiderThanDesigned) {
      EXPECT_GT(runs[1].left - origin.x(), kFileNameLeft + 2);
      EXPECT_GE(runs[1].left - runs[0].right, 10) << describe(runs, origin);
    } else {
      EXPECT_NEAR(runs[1].left - origin.x(), kFileNameLeft, 2) << describe(runs, origin);
    }

    // The fill never covers the gauge's frame.
    EXPECT_EQ(yellowOnGaugeFrame(image, origin), 0);
    if (download.size > 1024 * 1024) {
      EXPECT_GT(gaugeFill(image, origin), 0.9);
    }
  }

  // After the run the focus is back on "&Atualizar agora": both buttons look
  // as they did after the preparation.
  const QImage after = session.image("after.png");
  ASSERT_FALSE(after.isNull());
  EXPECT_LE(differingPixels(prepared, after, kButton1.translated(origin)), 4);
  EXPECT_LE(differingPixels(prepared, after, kButton3.translated(origin)), 4);
  // Enter started a second update and the screen is still there.
  const QImage again = session.image("final.png");
  EXPECT_EQ(differingPixels(prepared, again, kHeader.translated(origin)), 0)
      << "the main screen is gone after Enter";
}

// The demo's update server, started as the demo starts it (512 KiB/s), sends
// steadily: screenshots half a second apart show the gauge growing by about
// the same step each time, never frozen and never leaping.
TEST(MainScreenOnX11, TheGaugeFillsAtTheDemoServersSteadyRate) {
  constexpr long kDemoRate = 524288;
  test::XcbUpdateSite site(kDemoRate, 0);
  std::ofstream(site.served("Modelos.dat")) << std::string(2000000, 'm');
  test::XcbSession session(site.machine.work.path(), site.shots.path());
  confirm(session).keys("key Return");
  constexpr int kShots = 5;
  for (int i = 0; i < kShots; ++i) session.shot("gauge" + std::to_string(i) + ".png").wait(0.5);
  std::string output;
  ASSERT_EQ(session.start(1, &output), 0) << output;

  std::vector<double> fills;
  for (int i = 0; i < kShots; ++i) {
    const QImage image = session.image("gauge" + std::to_string(i) + ".png");
    ASSERT_FALSE(image.isNull());
    const QPoint origin = test::centredOrigin(image, kMainWidth, kMainHeight);
    fills.push_back(gaugeFill(image, origin));
    EXPECT_EQ(yellowOnGaugeFrame(image, origin), 0) << "shot " << i;
  }
  // About a second after Enter: far from the half a burst would show.
  EXPECT_LT(fills.front(), 0.45) << "first shot";
  for (int i = 1; i < kShots; ++i) {
    // Half a second at 512 KiB/s is 13 % of the file; the shots themselves
    // take a little time too.
    const double step = fills[i] - fills[i - 1];
    EXPECT_GT(step, 0.04) << "shots " << i - 1 << " and " << i << ": " << fills[i - 1] << " then "
                          << fills[i];
    EXPECT_LT(step, 0.3) << "shots " << i - 1 << " and " << i << ": " << fills[i - 1] << " then "
                         << fills[i];
  }
}

// The two warning screens: which window boxes each offers (read from the
// hints the window manager reads), whether Escape leaves it, and on the
// confirmation screen the check boxes' ground.
TEST(WarningScreensOnX11, OnlyTheErrorScreenLacksAMinimiseBoxAndEscapeClosesNeither) {
  struct WarningScreen {
    const char* title;
    bool failureRecord;  // a record in the folder brings up the error screen
    int width, height;
    bool minimiseBox;
  };
  const WarningScreen screens[] = {
      {"Atualização", false, 906, 610, true},
      {"Erro", true, 826, 266, false},
  };
  for (const WarningScreen& screen : screens) {
    SCOPED_TRACE(screen.title);
    test::TempFolder work, shots;
    if (screen.failureRecord) work.write("SCRIPT_ERRO_DT_01-02-2026_HR_10-00-00 M-LOJA.TXT", "x");
    const std::string hints = (shots.path() / "hints.txt").string();
    test::XcbSession session(work.path(), shots.path());
    session.wait(2)
        .shot("before.png")
        .keys("key Escape")
        .shot("escaped.png")
        .run("xprop -id $(xdotool search --onlyvisible --name '^" + std::string(screen.title) +
             "$' | head -n 1) _MOTIF_WM_HINTS > '" + hints + "'");
    std::string output;
    EXPECT_EQ(session.start(1, &output), 0) << output;

    const QImage before = session.image("before.png");
    const QImage after = session.image("escaped.png");
    ASSERT_FALSE(before.isNull());
    const QPoint origin = test::centredOrigin(before, screen.width, screen.height);
    const QRect area = QRect(0, 0, screen.width, screen.height).translated(origin);
    const auto black = [](const QColor& c) { return c == Qt::black; };
    EXPECT_LT(countPixels(before, area, black), screen.width * screen.height / 10)
        << "the screen is not on the display";
    EXPECT_EQ(differingPixels(before, after, area), 0) << "Escape closed the screen";

    // _MOTIF_WM_HINTS: flags, functions, decorations, ...; the minimise
    // function is bit 3, the maximise function bit 4.
    const std::string text = test::fileText(hints);
    unsigned flags = 0, functions = 0, decorations = 0;
    EXPECT_EQ(std::sscanf(text.c_str(), "_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = %x, %x, %x", &flags,
                          &functions, &decorations),
              3)
        << text;
    EXPECT_NE(flags & 1u, 0u) << "no functions given: " << text;
    EXPECT_EQ((functions & 0x08u) != 0, screen.minimiseBox) << text;
    EXPECT_EQ(functions & 0x10u, 0u) << "a maximise box: " << text;

    if (!screen.failureRecord) {
      // Around each box's square: the designed ground 26058 (red 202,
      // green 101, blue 0), nothing of the style's light button face.
      for (const QRect box : {QRect(39, 560, 15, 17), QRect(39, 583, 15, 17)}) {
        const QRect at = box.translated(origin);
        const auto light = [](const QColor& c) { return c == QColor(0xEF, 0xEF, 0xEF); };
        const auto ground = [](const QColor& c) { return c == QColor(202, 101, 0); };
        EXPECT_EQ(countPixels(before, at, light), 0) << "a light ring at " << box.y();
        EXPECT_GE(countPixels(before, at, ground), 15 * 2) << "no designed ground at " << box.y();
      }
    }
  }
}

}  // namespace
}  // namespace kelvo
