// kelvoupdate's views of the update's runs: the preparation, the file
// update run and the script application run report to the console instead
// of screens. Messages are collected or written to standard error.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "access/catalogue/alias_registry.h"
#include "cli/console.h"
#include "cli/transfer_display.h"
#include "update/file_run_view.h"
#include "update/preparation.h"
#include "update/script_run.h"

namespace kelvo::cli {

// The preparation without a screen: the operator's confirmation is given
// on the command line, messages are collected, no browser is opened.
class CliPreparationView : public PreparationView {
 public:
  explicit CliPreparationView(AliasRegistry& registry) : registry_(registry) {}

  void setProgramFolder(const std::string& folder) override { programFolder = folder; }
  bool confirmed() override { return true; }
  void releaseConfirmation() override {}
  void showMessage(const std::string& text) override { messages.push_back(text); }
  void closeSoon() override {}
  void setUpdateEnabled(bool) override {}
  void showMainExecutable(const std::string& text) override { mainExecutableLabel = text; }
  void addAlias(const std::string& alias) override { rows_.push_back({alias, false}); }
  std::vector<std::string> aliases() override;
  UpdateData& createWaitScreen() override;
  void tickAlias(std::size_t row) override { rows_.at(row).ticked = true; }
  void showReady(const std::string&) override {}
  void openDownloadPage(const std::string& address) override { downloadAddress = address; }

  // The ticked aliases, in list order.
  std::vector<std::string> tickedAliases() const;
  // The data members, once the preparation created them.
  UpdateData* data() { return data_.get(); }

  std::string programFolder;
  std::string mainExecutableLabel;  // empty until the main executable was found
  std::vector<std::string> messages;
  std::optional<std::string> downloadAddress;

 private:
  struct Row {
    std::string alias;
    bool ticked;
  };
  AliasRegistry& registry_;
  std::vector<Row> rows_;
  std::unique_ptr<UpdateData> data_;
};

// The file update run on the console. Rows are kept to tell which files
// failed; messages go to standard error; the wait screen is the script run.
class CliFileRunView : public FileRunView {
 public:
  // MAIN_EXECUTABLE_LABEL is the preparation's label (green when not
  // empty); RUN_SCRIPTS applies the scripts and returns the wait screen's tag.
  CliFileRunView(Console& console, TransferDisplay& transfers, std::string main_executable_label,
                 std::function<int()> run_scripts);

  void clearRows() override { rows_.clear(); }
  void addRow(const std::string& text) override { rows_.push_back(text); }
  void setRowLamp(std::size_t row, RowLamp lamp) override;
  void repaintRows() override {}
  void setListingLines(const std::vector<std::string>&) override {}
  void setFileLabel(const std::string& text) override;
  void setStatusLine(const std::string& text) override { statusLine = text; }
  void setCounter(const std::string&) override {}
  std::string mainExecutableLabel() override { return label_; }
  bool mainExecutableLabelGreen() override { return !label_.empty(); }
  void setBytesToTransfer(std::uint32_t bytes) override { transfers_.setBytesToTransfer(bytes); }
  void showMessage(const std::string& text) override { console_.note(text); }
  void showInformation(const std::string& text) override { console_.note(text); }
  int showWaitScreen() override { return run_scripts_(); }
  int tag() override { return tag_; }
  void setTag(int tag) override { tag_ = tag; }
  void resetProgress() override { console_.endUpdating(); }
  // The process ends when the run has returned, so that everything open
  // is closed in order.
  void exitProcess(int code) override { exitCode = code; }

  std::string statusLine;
  std::optional<int> exitCode;

 private:
  Console& console_;
  TransferDisplay& transfers_;
  std::string label_;
  std::function<int()> run_scripts_;
  std::vector<std::string> rows_;
  std::vector<RowLamp> lamps_;
  std::string file_;
  int tag_ = 0;
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

}  // namespace kelvo::cli
