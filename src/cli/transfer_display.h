// The progress of each download on standard error: on a terminal one
// updating line (file, kilobytes, percentage, rate), otherwise one plain
// line when the file is in.
#pragma once

#include <chrono>
#include <string>

#include "cli/console.h"
#include "platform/regional_settings.h"
#include "update/transfer_progress.h"

namespace kelvo::cli {

class TransferDisplay {
 public:
  TransferDisplay(Console& console, FormatSettings settings);

  // The file in hand (the run's file label).
  void setFile(const std::string& name) { file_ = name; }

  // A transfer began; the displays of a work event; the transfer ended.
  void begin() { shown_ = {}; }
  void work(const WorkProgress& progress);
  void end(const TransferEnd& end);

 private:
  Console& console_;
  FormatSettings settings_;
  std::string file_;
  std::chrono::steady_clock::time_point shown_;
};

}  // namespace kelvo::cli
