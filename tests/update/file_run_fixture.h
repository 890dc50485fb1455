// The file update run's test bench: a view that records what the run shows,
// the update FTP server's folder, a scratch catalogue with its principal
// row, a working folder and the archiver installed where PROGR points.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "access/catalogue/alias_file.h"
#include "access/catalogue/catalog_connection.h"
#include "access/catalogue/catalog_fixture.h"
#include "access/ftp/ftp_client.h"
#include "support/temp_folder.h"
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

class FileRunTest : public ::testing::Test {
 protected:
  FileRunTest();

  // Returns the path of NAME in the server's update folder.
  std::filesystem::path served(const std::string& name) const;
  // Puts NAME into the server's folder with CONTENT, dated WHEN.
  void serve(const std::string& name, const std::string& content, TDateTime when);
  // Puts NAME into the working folder with CONTENT, dated WHEN.
  void local(const std::string& name, const std::string& content, TDateTime when);
  // Returns the content of NAME in the working folder.
  std::string localContent(const std::string& name) const;
  // Writes atualiza.cfg: LINES after the first two (host, port).
  void configure(const std::vector<std::string>& more_lines = {}, const std::string& port = "");
  // Runs one update (from the click on "&Atualizar agora") on a fresh view.
  UpdateResult run();
  // Adds the client database LOJA to the site's ticked aliases, so that the
  // wait screen runs the catalogue's scripts on it.
  void tickClientDatabase();

  TDateTime base_;  // a whole minute of yesterday
  int pauses_ = 0;
  TempFolder work_, programs_, aliases_;
  ScratchCatalog catalog_;
  std::string database_;  // LOJA's database file, created by tickClientDatabase()
  AliasFileRegistry registry_;
  PreparedSite site_;  // as a successful preparation leaves it
  FtpClient ftp_;
  RecordingView view_;
  WorkingFolder cwd_;
};

// Returns VALUE as "dd/mm/yyyy hh:nn", for messages about times.
std::string minuteText(TDateTime value);

}  // namespace kelvo::test
