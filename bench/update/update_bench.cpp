// One whole update through the real main screen, timed: a site prepared as
// the main screen tests prepare it, the FTP password scrambled into its
// catalogue's principal table, "&Atualizar agora" clicked on a fresh working
// folder and then again with nothing new. Checks that the timed work was
// really done before printing the times.
//   update_bench PORT SERVED_FOLDER PASSWORD
// Needs KELVO_SERVICES (with a started "mariadb"), KELVO_SOURCE_DIR and
// FIREBIRD_LOCK, as bench/update/run sets them. Prints "first SECONDS",
// "second SECONDS" and "transfers N M" (downloads of each run).
#include <sys/stat.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "program/startup_settings.h"
#include "screens/main_screen_support.h"
#include "update/file_update_run.h"

namespace {

namespace fs = std::filesystem;
using kelvo::test::MainScreenMachine;

struct Sample {
  off_t size;
  time_t mtime;
};

Sample sampleOf(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) throw std::runtime_error("missing " + path.string());
  return {info.st_size, info.st_mtime};
}

bool sameBytes(const fs::path& a, const fs::path& b) {
  std::ifstream left(a, std::ios::binary), right(b, std::ios::binary);
  std::vector<char> x(1 << 20), y(1 << 20);
  while (left && right) {
    left.read(x.data(), static_cast<std::streamsize>(x.size()));
    right.read(y.data(), static_cast<std::streamsize>(y.size()));
    if (left.gcount() != right.gcount()) return false;
    if (!std::equal(x.begin(), x.begin() + left.gcount(), y.begin())) return false;
  }
  return left.eof() && right.eof();
}

// Throws unless every served file is in WORK with its size and the server's
// time, and the largest one has the served bytes.
void checkMirrored(const fs::path& served, const fs::path& work) {
  std::size_t files = 0;
  fs::path largest;
  off_t largest_size = -1;
  for (const auto& entry : fs::directory_iterator(served)) {
    if (!entry.is_regular_file()) continue;
    const Sample server = sampleOf(entry.path());
    const Sample local = sampleOf(work / entry.path().filename());
    const std::string name = entry.path().filename().string();
    if (local.size != server.size) throw std::runtime_error(name + ": wrong size");
    if (local.mtime != server.mtime) throw std::runtime_error(name + ": time not stamped");
    if (server.size > largest_size) {
      largest_size = server.size;
      largest = entry.path();
    }
    ++files;
  }
  if (files == 0) throw std::runtime_error("nothing served in " + served.string());
  if (!sameBytes(largest, work / largest.filename())) {
    throw std::runtime_error(largest.filename().string() + ": content differs");
  }
}

// Seconds spent in the main screen's FTP progress handlers (the status bar
// with its repaint, the work counter with its pending events, the begin and
// end of each transfer), for telling the display's share from the transfer's.
struct HandlerClock {
  double status = 0, work = 0, ends = 0;
  long works = 0;
  // When set, the screen's handlers are left out: the run without its
  // progress display, for comparison only.
  bool detached = false;

  void reset() {
    const bool keep = detached;
    *this = HandlerClock{};
    detached = keep;
  }

  // Wraps CLIENT's handlers; counts every transfer begun in TRANSFERS.
  void attach(kelvo::FtpClient& client, int& transfers) {
    using kelvo::FtpClient;
    using kelvo::TWorkMode;
    client.OnStatus = [this, inner = client.OnStatus](FtpClient& sender, kelvo::TFtpStatus code,
                                                      const std::string& text) {
      timed(status, [&] { inner(sender, code, text); });
    };
    client.OnWork = [this, inner = client.OnWork](FtpClient& sender, TWorkMode mode,
                                                  std::int64_t count) {
      ++works;
      timed(work, [&] { inner(sender, mode, count); });
    };
    client.OnWorkBegin = [this, &transfers, inner = client.OnWorkBegin](
                             FtpClient& sender, TWorkMode mode, std::int64_t expected) {
      ++transfers;
      timed(ends, [&] { inner(sender, mode, expected); });
    };
    client.OnWorkEnd = [this, inner = client.OnWorkEnd](FtpClient& sender, TWorkMode mode) {
      timed(ends, [&] { inner(sender, mode); });
    };
  }

  template <typename Call>
  void timed(double& total, Call call) const {
    if (detached) return;
    const auto start = std::chrono::steady_clock::now();
    call();
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
};

int run(const std::string& port, const fs::path& served, const std::string& password) {
  MainScreenMachine machine;
  machine.storeFtpPassword(password);
  machine.work.write("atualiza.cfg", "127.0.0.1\r\n" + port + "\r\n");
  kelvo::Tfrmkelvoupdate& screen = machine.show();
  if (!machine.messages.empty()) throw std::runtime_error(machine.messages.front().text);
  if (screen.preparationOutcome() != kelvo::PreparationOutcome::Ready) {
    throw std::runtime_error("the main screen's preparation did not end ready");
  }
  kelvo::test::WorkingFolder cwd(machine.work.path());
  kelvo::test::MessageAnswerer answerer(machine.messages);
  int transfers = 0;
  HandlerClock clock;
  clock.attach(screen.ftpupdate, transfers);

  // Clicks "&Atualizar agora"; returns the seconds the whole update took.
  const auto update = [&](const char* which) {
    transfers = 0;
    clock.reset();
    const auto start = std::chrono::steady_clock::now();
    screen.Button1->click();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (!machine.messages.empty()) {
      throw std::runtime_error(std::string(which) + " run: " + machine.messages.front().text);
    }
    if (screen.lblstatus->text().toStdString() != kelvo::kStatusSuccess) {
      throw std::runtime_error(std::string(which) + " run ended with status \"" +
                               screen.lblstatus->text().toStdString() + "\"");
    }
    checkMirrored(served, machine.work.path());
    return took.count();
  };
  const double first = update("first");
  const int first_transfers = transfers;
  const HandlerClock first_clock = clock;
  const double second = update("second");
  // The listing is the second run's only transfer.
  if (transfers != 1) throw std::runtime_error("the second run fetched files again");
  const int second_transfers = transfers;

  // The same update once more into an emptied folder, without the progress
  // display, to tell the display's cost from the transfer's.
  for (const auto& entry : fs::directory_iterator(served)) {
    fs::remove(machine.work.path() / entry.path().filename());
  }
  clock.detached = true;
  const double bare = update("undisplayed");
  if (transfers != first_transfers) throw std::runtime_error("the undisplayed run fetched less");

  std::cout << "undisplayed " << bare << "\nfirst " << first << "\nsecond " << second
            << "\ntransfers " << first_transfers << " " << second_transfers << "\nhandlers status "
            << first_clock.status << " work " << first_clock.work << " (" << first_clock.works
            << " events) begin-end " << first_clock.ends << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: update_bench PORT SERVED_FOLDER PASSWORD (see bench/update/run)\n";
    return 2;
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const std::string port = argv[1], served = argv[2], password = argv[3];
  const auto app = kelvo::startApplication(argc, argv);
  try {
    return run(port, served, password);
  } catch (const std::exception& e) {
    std::cerr << "update_bench: " << e.what() << "\n";
    return 1;
  }
}
