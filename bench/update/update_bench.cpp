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
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "program/startup_settings.h"
#include "screens/main_screen_support.h"
#include "update/site_update.h"

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

// Returns the inode of every file of WORK: a file the update fetched again
// was replaced, so its inode changed.
std::map<std::string, ino_t> inodes(const fs::path& work) {
  std::map<std::string, ino_t> found;
  for (const auto& entry : fs::directory_iterator(work)) {
    struct stat info {};
    if (::stat(entry.path().c_str(), &info) == 0)
      found[entry.path().filename().string()] = info.st_ino;
  }
  return found;
}

// Returns how many files of AFTER are new or replaced since BEFORE.
int fetched(const std::map<std::string, ino_t>& before, const std::map<std::string, ino_t>& after) {
  int count = 0;
  for (const auto& [name, inode] : after) {
    const auto old = before.find(name);
    if (old == before.end() || old->second != inode) ++count;
  }
  return count;
}

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

  // Clicks "&Atualizar agora"; returns the seconds the whole update took and
  // counts the files it fetched in TRANSFERS.
  int transfers = 0;
  const auto update = [&](const char* which) {
    const auto before = inodes(machine.work.path());
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
    transfers = fetched(before, inodes(machine.work.path()));
    return took.count();
  };
  const double first = update("first");
  const int first_transfers = transfers;
  const double second = update("second");
  if (transfers != 0) throw std::runtime_error("the second run fetched files again");

  std::cout << "first " << first << "\nsecond " << second << "\ntransfers " << first_transfers
            << " " << transfers << "\n";
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
