// The main screen as the file update run sees it: its tree of listing rows,
// its labels and gauge, its message boxes, its progress handlers and the
// wait screen.
#pragma once

#include <string>
#include <vector>

#include "update/file_run_view.h"

class QLabel;

namespace kelvo {

class Tfrmkelvoupdate;

class MainScreenRunView : public FileRunView {
 public:
  // The run shown on SCREEN.
  explicit MainScreenRunView(Tfrmkelvoupdate& screen) : screen_(screen) {}

  void clearRows() override;
  void addRow(const std::string& text) override;
  void setRowLamp(std::size_t row, RowLamp lamp) override;
  void repaintRows() override;
  void setListingLines(const std::vector<std::string>& lines) override;
  void setFileLabel(const std::string& text) override;
  void setStatusLine(const std::string& text) override;
  void setCounter(const std::string& text) override;
  // Boxes are shown while the screen is; after "&Sair" closed it in the
  // middle of a transfer nobody is left to read them.
  void showMessage(const std::string& text) override;
  void showInformation(const std::string& text) override;
  void setBytesToTransfer(std::uint32_t bytes) override;
  void transferBegan(TDateTime STime) override;
  void showTransferProgress(const WorkProgress& progress) override;
  void transferEnded(const TransferEnd& end) override;
  void showConnectionState(const std::string& text, bool reset_progress) override;
  void resetProgress() override;
  // The wait screen, when the preparation created it.
  void showWaitScreen(ScriptRun& scripts) override;

 private:
  Tfrmkelvoupdate& screen_;
};

// Empties the main screen's gauge (0 of 100), hides ProgressBar1, shows and
// repaints the gauge; with YELLOW its fore colour becomes yellow again.
void resetMainScreenProgress(Tfrmkelvoupdate& screen, bool yellow);

// Sets an auto-sized label's TEXT (UTF-8) and fits the label to it.
void setLabelText(QLabel* label, const std::string& text);

}  // namespace kelvo
