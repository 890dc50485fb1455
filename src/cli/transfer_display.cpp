// One line per download.
#include "cli/transfer_display.h"

#include "update/transfer_progress.h"

namespace kelvo::cli {

namespace {

// A terminal line is rewritten at most this often.
constexpr std::chrono::milliseconds kRefresh{100};

}  // namespace

TransferDisplay::TransferDisplay(Console& console, FormatSettings settings)
    : console_(console), settings_(std::move(settings)) {}

void TransferDisplay::attach(FtpClient& ftp) {
  ftp.OnWorkBegin = [this](FtpClient&, TWorkMode, std::int64_t) { begin(); };
  ftp.OnWork = [this](FtpClient&, TWorkMode, std::int64_t count) { work(count); };
  ftp.OnWorkEnd = [this](FtpClient&, TWorkMode mode) {
    if (mode == wmRead) end();
  };
}

void TransferDisplay::begin() {
  STime = now();
  rate_ = 0;
  count_ = 0;
  shown_ = {};
}

void TransferDisplay::work(std::int64_t count) {
  count_ = count;
  // The listing is a transfer too, before any file is in hand.
  if (file_.empty() || !console_.terminal()) return;
  const auto clock = std::chrono::steady_clock::now();
  if (clock - shown_ < kRefresh) return;
  shown_ = clock;
  const WorkProgress progress = workProgress(bytes_, STime, now(), count, rate_, settings_);
  std::string line = file_ + "  " + progress.counter;
  if (progress.gauge) line += "  " + std::to_string(*progress.gauge) + "%";
  console_.update(line + "  " + progress.status);
}

void TransferDisplay::end() {
  if (file_.empty()) return;
  const WorkProgress progress = workProgress(bytes_, STime, now(), count_, rate_, settings_);
  // A size the server did not give is told by what arrived.
  const bool size_known = bytes_ != 0 && bytes_ != UINT32_MAX;
  const auto size = size_known ? bytes_ : static_cast<std::uint32_t>(count_);
  const std::string line = file_ + "  " + workEndCounter(size, settings_) + "  " + progress.status;
  if (console_.terminal()) {
    console_.update(line);
    console_.endUpdating();
  } else {
    console_.note(line);
  }
}

}  // namespace kelvo::cli
