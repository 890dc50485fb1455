// The file update run's test bench.
#include "update/file_run_fixture.h"

#include "platform/formats.h"
#include "update/file_update_run.h"

namespace kelvo::test {

bool RecordingView::Row::fetched() const {
  for (const RowLamp lamp : lamps) {
    if (lamp == RowLamp::Downloading) return true;
  }
  return false;
}

void RecordingView::setRowLamp(std::size_t row, RowLamp lamp) {
  ASSERT_LT(row, rows.size());
  rows[row].lamps.push_back(lamp);
  if (lamp != RowLamp::Downloading) return;
  downloads.push_back(fileLabel);
  if (onDownloading) onDownloading(row);
}

int RecordingView::showWaitScreen() {
  ++waitScreens;
  return waitScreenTag;
}

const RecordingView::Row& RecordingView::row(const std::string& name) const {
  for (const Row& r : rows) {
    if (r.text.size() >= name.size() + 1 &&
        r.text.compare(r.text.size() - name.size() - 1, std::string::npos, " " + name) == 0) {
      return r;
    }
  }
  ADD_FAILURE() << "no row for " << name;
  static const Row none;
  return none;
}

std::string minuteText(TDateTime value) {
  return formatDateTime("dd/mm/yyyy hh:nn", value, FormatSettings::brazilian());
}

FileRunTest::FileRunTest()
    : registry_(writeAliasFile().string()), connection_(registry_), cwd_(work_.path()) {
  useUpdateServer();
  setCatalogLogin(connection_.Database1);
  connection_.Database1.open();
  installArchiver("Program Files");
}

void FileRunTest::run() {
  // A fresh record, keeping what the test set up.
  RecordingView fresh;
  fresh.label9 = view_.label9;
  fresh.green = view_.green;
  fresh.waitScreenTag = view_.waitScreenTag;
  fresh.screenTag = view_.screenTag;
  fresh.onDownloading = view_.onDownloading;
  view_ = std::move(fresh);
  FileUpdateRun update(view_, ftp_, connection_, path("Program Files"),
                       FormatSettings::brazilian());
  update.pause = [this](int) { ++pauses_; };
  update.AtualizaArquivos();
}

}  // namespace kelvo::test
