// Sessions of the real program on a virtual X display.
#include "screens/xcb_session.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/services.h"

namespace kelvo::test {

namespace {

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

bool dark(const QColor& color) { return color.lightness() < 110; }

}  // namespace

QPoint centredOrigin(const QImage& image, int width, int height) {
  return {(image.width() - width) / 2, (image.height() - height) / 2};
}

std::vector<InkRun> inkRuns(const QImage& image, QRect row, int join) {
  row = row.intersected(image.rect());
  std::vector<InkRun> runs;
  for (int x = row.left(); x <= row.right(); ++x) {
    if (countPixels(image, QRect(x, row.top(), 1, row.height()), dark) == 0) continue;
    if (!runs.empty() && x - runs.back().right <= join) {
      runs.back().right = x;
    } else {
      runs.push_back({x, x});
    }
  }
  return runs;
}

int differingPixels(const QImage& a, const QImage& b, QRect rect) {
  // A missing screenshot differs everywhere.
  if (a.size() != b.size()) return rect.width() * rect.height();
  const QRect inside = rect.intersected(a.rect()).intersected(b.rect());
  int count = 0;
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) count += a.pixel(x, y) != b.pixel(x, y);
  }
  return count;
}

XcbSession& XcbSession::keys(const std::string& xdotool_args) {
  steps_.push_back("--keys " + quoted(xdotool_args));
  return *this;
}

XcbSession& XcbSession::shot(const std::string& name) {
  steps_.push_back("--shot " + quoted((shots_ / name).string()));
  return *this;
}

XcbSession& XcbSession::wait(double seconds) {
  std::ostringstream text;
  text << seconds;
  steps_.push_back("--wait " + text.str());
  return *this;
}

XcbSession& XcbSession::until(const std::string& command) {
  steps_.push_back("--until " + quoted(command));
  return *this;
}

XcbSession& XcbSession::run(const std::string& command) {
  steps_.push_back("--run " + quoted(command));
  return *this;
}

int XcbSession::start(double settle, std::string* log) {
  const std::string program =
      std::string(std::getenv("KELVO_BINARY_DIR")) + "/src/program/atualiza_quarvessa";
  const std::filesystem::path output = shots_ / "xcb-capture.log";
  std::ostringstream command;
  command << "cd " << quoted(work_.string()) << " && "
          << quoted(sourceFolder() + "/tests/support/xcb-capture") << ' '
          << quoted((shots_ / "final.png").string()) << ' ' << settle;
  for (const std::string& step : steps_) command << ' ' << step;
  command << " -- " << quoted(program) << " >" << quoted(output.string()) << " 2>&1";
  const int status = std::system(command.str().c_str());
  if (log != nullptr) *log = command.str() + "\n" + fileText(output);
  return status;
}

QImage XcbSession::image(const std::string& name) const {
  return QImage(QString::fromStdString((shots_ / name).string()));
}

std::string fileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace kelvo::test
