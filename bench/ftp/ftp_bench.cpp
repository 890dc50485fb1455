// Timed runs of the FTP client and the listing parser (run by bench/ftp/run).
//   kelvo-ftp-bench download PORT NAME DEST   passive download from 127.0.0.1
//                                             with progress handlers attached;
//                                             prints MB/s and peak RSS
//   kelvo-ftp-bench parse LINES               parses a generated Unix listing
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "access/ftp/ftp_client.h"
#include "access/ftp/listing_parser.h"
#include "platform/file_flush.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

long peakRssKib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

int download(int port, const std::string& name, const std::string& destination) {
  kelvo::FtpClient client;
  // Handlers doing what the progress display does per event: take the
  // time, compute the rate and build the two label texts.
  Clock::time_point start;
  std::string counter;
  std::string rate;
  client.OnWorkBegin = [&](kelvo::FtpClient&, kelvo::TWorkMode, std::int64_t) {
    start = Clock::now();
  };
  client.OnWork = [&](kelvo::FtpClient&, kelvo::TWorkMode, std::int64_t count) {
    const double elapsed = seconds(start);
    char text[128];
    std::snprintf(text, sizeof text, "Transferidos: %lld Kb", static_cast<long long>(count / 1024));
    counter = text;
    std::snprintf(text, sizeof text, "Taxa de Transferencia: %.2f KB/s",
                  elapsed > 0 ? count / 1024.0 / elapsed : 0.0);
    rate = text;
  };
  client.setHost("127.0.0.1");
  client.setPort(static_cast<std::uint16_t>(port));
  client.setUsername("anonymous");
  client.setPassword("bench@example.com");
  client.setPassive(true);
  client.Connect();
  client.setTransferType(kelvo::FtpTransferType::Binary);
  const std::int64_t size = client.Size(name);
  const Clock::time_point begin = Clock::now();
  client.Get(name, destination);
  // Durable as the update leaves it: the data and then the folder's new name.
  kelvo::flushFolder(std::filesystem::path(destination).parent_path().string());
  const double elapsed = seconds(begin);
  client.Disconnect();
  std::printf("%.0f MB/s (%lld bytes in %.3f s), peak RSS %ld KiB\n", size / 1e6 / elapsed,
              static_cast<long long>(size), elapsed, peakRssKib());
  return 0;
}

int parse(int count) {
  static const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                  "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(count));
  char line[160];
  for (int i = 0; i < count; ++i) {
    if (i % 2 == 0) {
      std::snprintf(line, sizeof line,
                    "-rw-r--r--    1 1000     1000     %12d %s %2d %02d:%02d file_%06d.dat", i * 37,
                    kMonths[i % 12], i % 28 + 1, i % 24, i % 60, i);
    } else {
      std::snprintf(line, sizeof line,
                    "drwxr-xr-x    2 1000     1000     %12d %s %2d  %4d folder %06d", 4096,
                    kMonths[i % 12], i % 28 + 1, 2000 + i % 25, i);
    }
    lines.emplace_back(line);
  }
  const kelvo::TDateTime now = kelvo::encodeDate(2026, 12, 9);
  kelvo::DirectoryListing listing;
  double best = 1e9;
  for (int round = 0; round < 5; ++round) {
    const Clock::time_point begin = Clock::now();
    kelvo::parseListing(lines, now, listing);
    best = std::min(best, seconds(begin));
  }
  std::printf("%zu items, %.0f lines/s (best of 5: %.3f s for %d lines)\n", listing.count(),
              count / best, best, count);
  return listing.count() == static_cast<std::size_t>(count) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.size() == 4 && args[0] == "download") {
      return download(std::stoi(args[1]), args[2], args[3]);
    }
    if (args.size() == 2 && args[0] == "parse") return parse(std::stoi(args[1]));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "error: %s\n", e.what());
    return 1;
  }
  std::fprintf(stderr, "usage: kelvo-ftp-bench download PORT NAME DEST | parse LINES\n");
  return 2;
}
