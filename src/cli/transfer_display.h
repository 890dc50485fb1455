// The progress of each download on standard error: on a terminal one
// updating line (file, kilobytes, percentage, rate), otherwise one plain
// line when the file is in.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "access/ftp/ftp_client.h"
#include "cli/console.h"
#include "platform/regional_settings.h"
#include "platform/tdatetime.h"

namespace kelvo::cli {

class TransferDisplay {
 public:
  TransferDisplay(Console& console, FormatSettings settings);

  // Listens to FTP's work events.
  void attach(FtpClient& ftp);
  // The file in hand (the run's file label) and its size (0 = unknown).
  void setFile(const std::string& name) { file_ = name; }
  void setBytesToTransfer(std::uint32_t bytes) { bytes_ = bytes; }

 private:
  void begin();
  void work(std::int64_t count);
  void end();

  Console& console_;
  FormatSettings settings_;
  std::string file_;
  std::uint32_t bytes_ = 0;
  TDateTime STime = 0;
  double rate_ = 0;
  std::int64_t count_ = 0;
  std::chrono::steady_clock::time_point shown_;
};

}  // namespace kelvo::cli
