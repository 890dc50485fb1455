// kelvoupdate's views of the update's runs: the preparation, the file
// update run and the script application run report to the console instead
// of screens. Messages are collected or written to standard error.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/console.h"
#include "cli/transfer_display.h"
#include "update/file_run_view.h"
#include "update/preparation.h"
#include "update/script_run.h"

namespace kelvo::cli {

// The preparation without a screen: messages are collected, no browser is
// opened.
class CliPreparationView : public PreparationView {
 public:
  void setProgramFolder(const std::string& folder) override { programFolder = folder; }
  void releaseConfirmation() override {}
  void showMessage(const std::string& text) override { messages.push_back(text); }
  void closeSoon() override {}
  void setUpdateEnabled(bool) override {}
  void showMainExecutable(const std::string&) override {}
  void addAlias(const std::string&) override {}
  void createWaitScreen(UpdateData&) override {}
  void tickAlias(std::size_t) override {}
  void showReady(const std::string&) override {}
  void openDownloadPage(const std::string& address) override { downloadAddress = address; }

  std::string programFolder;
  std::vector<std::string> messages;
  std::optional<std::string> downloadAddress;
};

// The script application run on the console.
class CliScriptRunView : public ScriptRunView {
 public:
  explicit CliScriptRunView(Console& console) : console_(console) {}

  void setProgressMaximum(int) override {}
  void setProgress(int position) override;
  void showScriptError(const std::string& caption) override;
  // Nobody reads a screen here: there is nothing to wait for.
  void pause(int) override {}
  void showRunError(const std::string& text) override { console_.note(text); }
  void closeScreen() override { console_.endUpdating(); }

 private:
  Console& console_;
};

// The file update run on the console. Messages go to standard error, each
// download's progress to the transfer display; the wait screen is the
// script run on SCRIPTS.
class CliFileRunView : public FileRunView {
 public:
  CliFileRunView(Console& console, CliScriptRunView& scripts, FormatSettings settings);

  void clearRows() override { lamps_.clear(); }
  void addRow(const std::string&) override { lamps_.push_back(RowLamp::Current); }
  void setRowLamp(std::size_t row, RowLamp lamp) override;
  void repaintRows() override {}
  void setListingLines(const std::vector<std::string>&) override {}
  void setFileLabel(const std::string& text) override;
  void setStatusLine(const std::string&) override {}
  void setCounter(const std::string&) override {}
  void showMessage(const std::string& text) override { console_.note(text); }
  void showInformation(const std::string& text) override { console_.note(text); }
  void setBytesToTransfer(std::uint32_t) override {}
  void transferBegan(TDateTime) override { transfers_.begin(); }
  void showTransferProgress(const WorkProgress& progress) override { transfers_.work(progress); }
  void transferEnded(const TransferEnd& end) override { transfers_.end(end); }
  void showConnectionState(const std::string&, bool) override {}
  void resetProgress() override { console_.endUpdating(); }
  void showWaitScreen(ScriptRun& scripts) override { scripts.run(scripts_); }

 private:
  Console& console_;
  CliScriptRunView& scripts_;
  TransferDisplay transfers_;
  std::vector<RowLamp> lamps_;
  std::string file_;
};

}  // namespace kelvo::cli
