// What the file update run shows on the screen that runs it: the tree of
// listing rows with their lamps, the labels, the message boxes, the wait
// screen and the transfer progress. The main screen implements it; the
// command line and the tests implement it as well. Nothing here hands
// anything back to the run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/tdatetime.h"
#include "update/transfer_progress.h"

namespace kelvo {

class ScriptRun;

// A row's lamp, as the state index of the lamp images.
enum class RowLamp : int {
  Current = 1,      // green: the local copy is current, or its download succeeded
  Downloading = 3,  // orange
  Failed = 4,       // red: needs a download (before the downloads), or failed
};

class FileRunView {
 public:
  virtual ~FileRunView() = default;

  // TreeView3: removes every row; adds a row showing TEXT; sets row ROW's
  // lamp; repaints the tree at once.
  virtual void clearRows() = 0;
  virtual void addRow(const std::string& text) = 0;
  virtual void setRowLamp(std::size_t row, RowLamp lamp) = 0;
  virtual void repaintRows() = 0;

  // Memo3: replaces its lines by the listing's raw lines.
  virtual void setListingLines(const std::vector<std::string>& lines) = 0;

  // Label3 (the file in hand), lblstatus (the status line), lblcontador.
  virtual void setFileLabel(const std::string& text) = 0;
  virtual void setStatusLine(const std::string& text) = 0;
  virtual void setCounter(const std::string& text) = 0;

  // A plain modal message box; an information box. Texts may hold '\n'.
  virtual void showMessage(const std::string& text) = 0;
  virtual void showInformation(const std::string& text) = 0;

  // The transfer progress. The size of the file about to be transferred
  // (BytesToTransfer; 0 = unknown); a transfer began at STIME; the displays
  // of a work event, after which the screen lets pending window messages
  // run; a transfer ended; the FTP connection's state for the status bar,
  // with RESET_PROGRESS when the gauge must be emptied.
  virtual void setBytesToTransfer(std::uint32_t bytes) = 0;
  virtual void transferBegan(TDateTime STime) = 0;
  virtual void showTransferProgress(const WorkProgress& progress) = 0;
  virtual void transferEnded(const TransferEnd& end) = 0;
  virtual void showConnectionState(const std::string& text, bool reset_progress) = 0;

  // Gauge1 to 0 of 100, ProgressBar1 hidden, Gauge1 shown and repainted.
  virtual void resetProgress() = 0;

  // Shows the wait screen modally: it performs SCRIPTS through its own view
  // (ScriptRun::run) and closes itself, which ends the modal display.
  virtual void showWaitScreen(ScriptRun& scripts) = 0;
};

}  // namespace kelvo
