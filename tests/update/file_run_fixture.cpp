// The file update run's test bench.
#include "update/file_run_fixture.h"

#include "access/interbase/ib_test_database.h"
#include "platform/formats.h"

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

void RecordingView::showWaitScreen(ScriptRun& scripts) {
  ++waitScreens;
  scripts.run(waitScreen);
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

namespace {

// Returns the alias file of SITE, its store alias LOJA named but its
// database not yet created.
std::string aliasFileWithStore(TestSite& site) {
  site.addAlias(TestSite::kStoreAlias, site.path("loja.fdb"));
  return site.writeAliasFile().string();
}

}  // namespace

FileRunTest::FileRunTest() : registry_(aliasFileWithStore(*this)), cwd_(work_.path()) {
  useUpdateServer();
  installArchiver("Program Files");
  site_.outcome = PreparationOutcome::Ready;
  site_.workingFolder = work_.path().string();
  site_.PROGR = path("Program Files");
  site_.mainExecutablePresent = true;
  site_.data = std::make_unique<UpdateData>(registry_);
  site_.data->catalog.Database1.open();
}

UpdateResult FileRunTest::run() {
  // A fresh record, keeping what the test set up.
  RecordingView fresh;
  fresh.onDownloading = view_.onDownloading;
  fresh.onWork = view_.onWork;
  view_ = std::move(fresh);
  UpdateOptions options;
  options.settings = FormatSettings::brazilian();
  options.pause = [this](int) { ++pauses_; };
  options.sizeEveryEntry = sizeEveryEntry_;
  options.publicKeys = publicKeys_;
  return updateSite(site_, view_, ftp_, options);
}

void FileRunTest::tickClientDatabase() {
  createDialect1Database(path("loja.fdb"));
  site_.aliases.push_back({kStoreAlias, true});
}

}  // namespace kelvo::test
