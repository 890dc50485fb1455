// The file update run's test bench: a view that records what the run shows,
// and the test site with the archiver installed where PROGR points.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "access/catalogue/alias_file.h"
#include "access/ftp/ftp_client.h"
#include "support/temp_folder.h"
#include "support/test_site.h"
#include "update/site_update.h"

namespace kelvo::test {

struct RecordingView : FileRunView {
  struct Row {
    std::string text;
    std::vector<RowLamp> lamps;  // every lamp it was given, in order
    bool fetched() const;        // it turned orange at some point
  };

  // The wait screen's side: it runs the scripts and records what it showed.
  struct WaitScreen : ScriptRunView {
    void setProgressMaximum(int) override {}
    void setProgress(int) override {}
    void showScriptError(const std::string& caption) override { errors.push_back(caption); }
    void pause(int) override {}
    void showRunError(const std::string& text) override { errors.push_back(text); }
    void closeScreen() override {}
    std::vector<std::string> errors;
  };

  std::vector<Row> rows;
  std::vector<std::string> listing, messages, informations;
  std::string statusLine = "before", counter = "before", fileLabel = "before";
  std::vector<std::uint32_t> sizes;
  int waitScreens = 0, resets = 0;
  WaitScreen waitScreen;
  // Called when row ROW turns orange, just before its download.
  std::function<void(std::size_t row)> onDownloading;
  // Called on every work event of a transfer.
  std::function<void()> onWork;

  void clearRows() override { rows.clear(); }
  void addRow(const std::string& text) override { rows.push_back({text, {}}); }
  void setRowLamp(std::size_t row, RowLamp lamp) override;
  void repaintRows() override {}
  void setListingLines(const std::vector<std::string>& lines) override { listing = lines; }
  void setFileLabel(const std::string& text) override { fileLabel = text; }
  void setStatusLine(const std::string& text) override { statusLine = text; }
  void setCounter(const std::string& text) override { counter = text; }
  void setBytesToTransfer(std::uint32_t bytes) override { sizes.push_back(bytes); }
  void showMessage(const std::string& text) override { messages.push_back(text); }
  void showInformation(const std::string& text) override { informations.push_back(text); }
  void transferBegan(TDateTime) override {}
  void showTransferProgress(const WorkProgress&) override {
    if (onWork) onWork();
  }
  void transferEnded(const TransferEnd&) override {}
  void showConnectionState(const std::string&, bool) override {}
  void resetProgress() override { ++resets; }
  void showWaitScreen(ScriptRun& scripts) override;

  // Returns the row whose line ends in NAME; fails the test when none does.
  const Row& row(const std::string& name) const;
  // The file label (the name in hand) of every row that turned orange.
  std::vector<std::string> downloads;
};

class FileRunTest : public ::testing::Test, public TestSite {
 protected:
  FileRunTest();

  // Runs one update (from the click on "&Atualizar agora") on a fresh view.
  UpdateResult run();
  // Creates the store's database LOJA and ticks its alias, so that the wait
  // screen runs the catalogue's scripts on it.
  void tickClientDatabase();

  int pauses_ = 0;
  bool sizeEveryEntry_ = true;           // the screens' choice; the command line's is false
  std::vector<std::string> publicKeys_;  // the keys the run checks against: none by default
  AliasFileRegistry registry_;
  PreparedSite site_;  // as a successful preparation leaves it
  FtpClient ftp_;
  RecordingView view_;
  WorkingFolder cwd_;
};

// Returns VALUE as "dd/mm/yyyy hh:nn", for messages about times.
std::string minuteText(TDateTime value);

}  // namespace kelvo::test
