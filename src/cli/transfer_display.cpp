// One line per download.
#include "cli/transfer_display.h"

#include <cstdint>

namespace kelvo::cli {

namespace {

// A terminal line is rewritten at most this often.
constexpr std::chrono::milliseconds kRefresh{100};

}  // namespace

TransferDisplay::TransferDisplay(Console& console, FormatSettings settings)
    : console_(console), settings_(std::move(settings)) {}

void TransferDisplay::work(const WorkProgress& progress) {
  // The listing is a transfer too, before any file is in hand.
  if (file_.empty() || !console_.terminal()) return;
  const auto clock = std::chrono::steady_clock::now();
  if (clock - shown_ < kRefresh) return;
  shown_ = clock;
  std::string line = file_ + "  " + progress.counter;
  if (progress.gauge) line += "  " + std::to_string(*progress.gauge) + "%";
  console_.update(line + "  " + progress.status);
}

void TransferDisplay::end(const TransferEnd& end) {
  if (end.mode != wmRead || file_.empty()) return;
  // A size the server did not give is told by what arrived.
  const bool size_known = end.bytesToTransfer != 0 && end.bytesToTransfer != UINT32_MAX;
  const auto size = size_known ? end.bytesToTransfer : static_cast<std::uint32_t>(end.count);
  const std::string line = file_ + "  " + workEndCounter(size, settings_) + "  " + end.last.status;
  if (console_.terminal()) {
    console_.update(line);
    console_.endUpdating();
  } else {
    console_.note(line);
  }
}

}  // namespace kelvo::cli
