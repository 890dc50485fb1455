// One whole update, timed, through the real main screen or the command
// line: a site prepared as the main screen tests prepare it, the FTP
// password scrambled into its catalogue's principal table, the update run on
// a fresh working folder and then again with nothing new ("&Atualizar
// agora" clicked, or `kelvoupdate run` started as its own process each time).
// Checks that the timed work was really done before printing the times.
//   update_bench screen|cli PORT SERVED_FOLDER PASSWORD
// Needs KELVO_SERVICES (with a started "mariadb"), KELVO_SOURCE_DIR,
// KELVO_BINARY_DIR and FIREBIRD_LOCK, as bench/update/run sets them. Prints
// "first SECONDS", "second SECONDS" and "transfers N M" (downloads of each
// run); the screen also "work-events N" (of both runs) and "work-handler
// MICROSECONDS" (the main screen's own cost of one work event). CLI_WRAPPER,
// when set, holds shell words that run each kelvoupdate (a tracer).
#include <sys/stat.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "program/startup_settings.h"
#include "screens/main_screen_run_view.h"
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

// Throws unless every served file is in WORK with the served bytes and the
// server's time.
void checkMirrored(const fs::path& served, const fs::path& work) {
  std::size_t files = 0;
  for (const auto& entry : fs::directory_iterator(served)) {
    if (!entry.is_regular_file()) continue;
    const Sample server = sampleOf(entry.path());
    const Sample local = sampleOf(work / entry.path().filename());
    const std::string name = entry.path().filename().string();
    if (local.size != server.size) throw std::runtime_error(name + ": wrong size");
    if (local.mtime != server.mtime) throw std::runtime_error(name + ": time not stamped");
    if (!sameBytes(entry.path(), work / entry.path().filename())) {
      throw std::runtime_error(name + ": content differs");
    }
    ++files;
  }
  if (files == 0) throw std::runtime_error("nothing served in " + served.string());
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

// Times one update by UPDATE, which throws when it failed; returns the
// seconds it took and counts the files it fetched in TRANSFERS, after
// checking that every served file is there.
double timedUpdate(const fs::path& served, const fs::path& work,
                   const std::function<void()>& update, int& transfers) {
  const auto before = inodes(work);
  const auto start = std::chrono::steady_clock::now();
  update();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  checkMirrored(served, work);
  transfers = fetched(before, inodes(work));
  return took.count();
}

void report(double first, int first_transfers, double second, int second_transfers) {
  if (second_transfers != 0) throw std::runtime_error("the second run fetched files again");
  std::cout << "first " << first << "\nsecond " << second << "\ntransfers " << first_transfers
            << " " << second_transfers << "\n";
}

// Returns the microseconds the main screen spends on one work event of a
// long download, over as many events as a 1 GiB file brings.
double workHandlerCost(kelvo::Tfrmkelvoupdate& screen) {
  kelvo::MainScreenRunView view(screen);
  kelvo::TransferProgress progress(kelvo::regionalSettings());
  constexpr std::int64_t kEvents = 32768;
  progress.setBytesToTransfer(static_cast<std::uint32_t>(kEvents * 32768));
  view.transferBegan(progress.begin());
  const auto start = std::chrono::steady_clock::now();
  for (std::int64_t i = 1; i <= kEvents; ++i) view.showTransferProgress(progress.work(i * 32768));
  const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
  view.transferEnded(progress.end(kelvo::wmRead));
  return took.count() / kEvents;
}

int runScreen(MainScreenMachine& machine, const fs::path& served) {
  kelvo::Tfrmkelvoupdate& screen = machine.show();
  if (!machine.messages.empty()) throw std::runtime_error(machine.messages.front().text);
  if (screen.preparationOutcome() != kelvo::PreparationOutcome::Ready) {
    throw std::runtime_error("the main screen's preparation did not end ready");
  }
  kelvo::test::WorkingFolder cwd(machine.work.path());
  kelvo::test::MessageAnswerer answerer(machine.messages);
  // Heard after the screen's own handler, for as long as a run lasts.
  long work_events = 0;
  screen.ftpupdate.OnWork = [&](kelvo::FtpClient&, kelvo::TWorkMode, std::int64_t) {
    ++work_events;
  };

  // Clicks "&Atualizar agora" and checks how the update ended.
  const auto click = [&](const char* which) {
    return [&screen, &machine, which] {
      screen.Button1->click();
      if (!machine.messages.empty()) {
        throw std::runtime_error(std::string(which) + " run: " + machine.messages.front().text);
      }
      if (screen.lblstatus->text().toStdString() != kelvo::kStatusSuccess) {
        throw std::runtime_error(std::string(which) + " run ended with status \"" +
                                 screen.lblstatus->text().toStdString() + "\"");
      }
    };
  };
  int first_transfers = 0, second_transfers = 0;
  const double first = timedUpdate(served, machine.work.path(), click("first"), first_transfers);
  const double second = timedUpdate(served, machine.work.path(), click("second"), second_transfers);
  report(first, first_transfers, second, second_transfers);
  std::cout << "work-events " << work_events << "\nwork-handler " << workHandlerCost(screen)
            << "\n";
  return 0;
}

int runCommandLine(MainScreenMachine& machine, const fs::path& served) {
  setenv("KELVOUPDATE_ALIASES", machine.writeAliasFile().c_str(), 1);
  const char* wrapper = std::getenv("CLI_WRAPPER");
  const std::string command = std::string(wrapper != nullptr ? wrapper : "") + " " +
                              std::getenv("KELVO_BINARY_DIR") +
                              "/src/cli/kelvoupdate run --confirmo-aplicativos-fechados --pasta '" +
                              machine.work.path().string() + "' >/dev/null 2>&1";
  const auto start = [&command](const char* which) {
    return [&command, which] {
      if (std::system(command.c_str()) != 0) {
        throw std::runtime_error(std::string(which) + " run of kelvoupdate failed: " + command);
      }
    };
  };
  int first_transfers = 0, second_transfers = 0;
  const double first = timedUpdate(served, machine.work.path(), start("first"), first_transfers);
  const double second = timedUpdate(served, machine.work.path(), start("second"), second_transfers);
  report(first, first_transfers, second, second_transfers);
  return 0;
}

int run(const std::string& front_end, const std::string& port, const fs::path& served,
        const std::string& password) {
  MainScreenMachine machine;
  machine.storeFtpPassword(password);
  machine.work.write("atualiza.cfg", "127.0.0.1\r\n" + port + "\r\n");
  return front_end == "cli" ? runCommandLine(machine, served) : runScreen(machine, served);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5 || (std::string(argv[1]) != "screen" && std::string(argv[1]) != "cli")) {
    std::cerr
        << "usage: update_bench screen|cli PORT SERVED_FOLDER PASSWORD (see bench/update/run)\n";
    return 2;
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const std::string front_end = argv[1], port = argv[2], served = argv[3], password = argv[4];
  const auto app = kelvo::startApplication(argc, argv);
  try {
    return run(front_end, port, served, password);
  } catch (const std::exception& e) {
    std::cerr << "update_bench: " << e.what() << "\n";
    return 1;
  }
}
