// What the main screen shows while the FTP client works: the counter, the
// rate and elapsed time, the gauge, and the status bar's connection state.
// Plain arithmetic and texts; the screen's handlers put them on display.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "access/ftp/ftp_status.h"
#include "platform/regional_settings.h"
#include "platform/tdatetime.h"

namespace kelvo {

// The displays of one work event.
struct WorkProgress {
  std::string counter;       // lblcontador
  std::string status;        // lblstatus
  std::optional<int> gauge;  // Gauge1's progress, 0..100; none when the size is unknown
  // The bytes so far are the file's size: the texts a display keeps for as
  // long as the server takes to end the transfer.
  bool wholeFile = false;
};

// The displays when a transfer ends: lblstatus's text for the direction
// (none for another mode), lblcontador's text (the file's size), and the
// rate and elapsed time as the last work event left them.
struct TransferEnd {
  TWorkMode mode = wmRead;
  std::optional<std::string> status;
  std::string counter;
  WorkProgress last;       // the displays for the bytes that arrived
  std::int64_t count = 0;  // bytes moved
  std::uint32_t bytesToTransfer = 0;
};

// Returns the displays after COUNT bytes of the transfer that began at
// STIME, NOW being the present, for a file of BYTES_TO_TRANSFER bytes (0 =
// unknown). RATE (kilobytes per second) is kept between events: it is
// updated when time has passed and shown as it stands otherwise.
WorkProgress workProgress(std::uint32_t bytes_to_transfer, TDateTime STime, TDateTime now,
                          std::int64_t count, double& rate, const FormatSettings& settings);

// Returns lblstatus's text when a transfer in MODE ends ("Download!!" or
// "Upload!!"), or nothing for another mode.
std::optional<std::string> workEndStatus(int mode);

// Returns lblcontador's text when a transfer ends: the file's size in
// kilobytes.
std::string workEndCounter(std::uint32_t bytes_to_transfer, const FormatSettings& settings);

// Returns panel 0's text of the status bar for a connection STATUS whose own
// text is TEXT.
std::string statusPanelText(int status, const std::string& text);

// Returns true for the status after which the progress display is reset.
inline bool statusResetsProgress(int status) { return status == hsDisconnected; }

// The state of the transfer in progress: its size, start and rate, kept
// between the FTP client's work events.
class TransferProgress {
 public:
  explicit TransferProgress(FormatSettings settings) : settings_(std::move(settings)) {}

  // The size of the next transfer (BytesToTransfer; 0 = unknown).
  void setBytesToTransfer(std::uint32_t bytes) { bytes_ = bytes; }
  std::uint32_t bytesToTransfer() const { return bytes_; }

  // A transfer begins now; returns its start (STime).
  TDateTime begin();
  // Returns the displays after COUNT bytes.
  WorkProgress work(std::int64_t count);
  // Returns the displays of the end of a transfer in MODE.
  TransferEnd end(TWorkMode mode);

 private:
  FormatSettings settings_;
  std::uint32_t bytes_ = 0;
  TDateTime STime = 0;
  double rate_ = 0;
  std::int64_t count_ = 0;
};

}  // namespace kelvo
