// The file update run's test bench: a view that records what the run shows,
// and the test site with the archiver installed where PROGR points.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "access/catalogue/alias_file.h"
#include "access/catalogue/catalog_connection.h"
#include "access/ftp/ftp_client.h"
#include "support/temp_folder.h"
#include "support/test_site.h"
#include "update/file_run_view.h"

namespace kelvo::test {

struct RecordingView : FileRunView {
  struct Row {
    std::string text;
    std::vector<RowLamp> lamps;  // every lamp it was given, in order
    bool fetched() const;        // it turned orange at some point
  };

  std::vector<Row> rows;
  std::vector<std::string> listing, messages, informations;
  std::string statusLine = "before", counter = "before", fileLabel = "before";
  std::string label9 = "Sys_Tavrela.exe - Será atualizado";
  bool green = true;
  std::vector<std::uint32_t> sizes;
  int waitScreenTag = 0, waitScreens = 0, screenTag = 0, resets = 0;
  std::optional<int> exitCode;
  // Called when row ROW turns orange, just before its download.
  std::function<void(std::size_t row)> onDownloading;

  void clearRows() override { rows.clear(); }
  void addRow(const std::string& text) override { rows.push_back({text, {}}); }
  void setRowLamp(std::size_t row, RowLamp lamp) override;
  void repaintRows() override {}
  void setListingLines(const std::vector<std::string>& lines) override { listing = lines; }
  void setFileLabel(const std::string& text) override { fileLabel = text; }
  void setStatusLine(const std::string& text) override { statusLine = text; }
  void setCounter(const std::string& text) override { counter = text; }
  std::string mainExecutableLabel() override { return label9; }
  bool mainExecutableLabelGreen() override { return green; }
  void setBytesToTransfer(std::uint32_t bytes) override { sizes.push_back(bytes); }
  void showMessage(const std::string& text) override { messages.push_back(text); }
  void showInformation(const std::string& text) override { informations.push_back(text); }
  int showWaitScreen() override;
  int tag() override { return screenTag; }
  void setTag(int tag) override { screenTag = tag; }
  void resetProgress() override { ++resets; }
  void exitProcess(int code) override { exitCode = code; }

  // Returns the row whose line ends in NAME; fails the test when none does.
  const Row& row(const std::string& name) const;
  // The file label (the name in hand) of every row that turned orange.
  std::vector<std::string> downloads;
};

class FileRunTest : public ::testing::Test, public TestSite {
 protected:
  FileRunTest();

  // Runs one update on a fresh view.
  void run();

  int pauses_ = 0;
  AliasFileRegistry registry_;
  CatalogConnection connection_;
  FtpClient ftp_;
  RecordingView view_;
  WorkingFolder cwd_;
};

// Returns VALUE as "dd/mm/yyyy hh:nn", for messages about times.
std::string minuteText(TDateTime value);

}  // namespace kelvo::test
