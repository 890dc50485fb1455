// What the file update run needs of the screen that shows it: the tree of
// listing rows with their lamps, the labels, the message boxes, the wait
// screen and the process exit. The main screen implements it; a command
// line or a test can implement it as well.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kelvo {

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

  // Label9: its text and whether its font is green (preparation found the
  // main executable).
  virtual std::string mainExecutableLabel() = 0;
  virtual bool mainExecutableLabelGreen() = 0;

  // The size of the file about to be transferred, for the progress display.
  virtual void setBytesToTransfer(std::uint32_t bytes) = 0;

  // A plain modal message box; an information box. Texts may hold '\n'.
  virtual void showMessage(const std::string& text) = 0;
  virtual void showInformation(const std::string& text) = 0;

  // Shows the wait screen modally (it applies the scripts) and returns its
  // tag: 1 when a script failed.
  virtual int showWaitScreen() = 0;

  // The main screen's tag.
  virtual int tag() = 0;
  virtual void setTag(int tag) = 0;

  // Gauge1 to 0 of 100, ProgressBar1 hidden, Gauge1 shown and repainted.
  virtual void resetProgress() = 0;

  // Ends the process with CODE at once. Should a view return, the run
  // returns straight away.
  virtual void exitProcess(int code) = 0;
};

}  // namespace kelvo
