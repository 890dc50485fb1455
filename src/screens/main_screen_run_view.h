// The main screen as the file update run sees it: its tree of listing rows,
// its labels and gauge, its message boxes and the wait screen.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "update/file_run_view.h"

class QLabel;

namespace kelvo {

class Tfrmkelvoupdate;

class MainScreenRunView : public FileRunView {
 public:
  // The run shown on SCREEN; SHOW_WAIT_SCREEN shows the wait screen
  // modally and returns its tag.
  MainScreenRunView(Tfrmkelvoupdate& screen, std::function<int()> show_wait_screen);

  void clearRows() override;
  void addRow(const std::string& text) override;
  void setRowLamp(std::size_t row, RowLamp lamp) override;
  void repaintRows() override;
  void setListingLines(const std::vector<std::string>& lines) override;
  void setFileLabel(const std::string& text) override;
  void setStatusLine(const std::string& text) override;
  void setCounter(const std::string& text) override;
  std::string mainExecutableLabel() override;
  bool mainExecutableLabelGreen() override;
  void setBytesToTransfer(std::uint32_t bytes) override;
  // Boxes are shown while the screen is; after "&Sair" closed it in the
  // middle of a transfer nobody is left to read them.
  void showMessage(const std::string& text) override;
  void showInformation(const std::string& text) override;
  int showWaitScreen() override;
  int tag() override;
  void setTag(int tag) override;
  void resetProgress() override;
  void exitProcess(int code) override;

 private:
  Tfrmkelvoupdate& screen_;
  std::function<int()> show_wait_screen_;
};

// Empties the main screen's gauge (0 of 100), hides ProgressBar1, shows and
// repaints the gauge; with YELLOW its fore colour becomes yellow again.
void resetMainScreenProgress(Tfrmkelvoupdate& screen, bool yellow);

// Sets an auto-sized label's TEXT (UTF-8) and fits the label to it.
void setLabelText(QLabel* label, const std::string& text);

}  // namespace kelvo
