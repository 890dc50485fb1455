// The file update run's test bench.
#include "update/file_run_fixture.h"

#include <cstdlib>
#include <fstream>

#include "access/catalogue/desembaralha.h"
#include "access/interbase/ib_test_database.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/formats.h"
#include "platform/hex_text.h"
#include "support/services.h"
#include "support/test_times.h"

namespace kelvo::test {

namespace fs = std::filesystem;

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

namespace {

std::string sqlText(const std::u16string& text) {
  return "CONVERT(X'" + toHex(utf16ToUtf8(text)) + "' USING utf8mb4)";
}

}  // namespace

std::string minuteText(TDateTime value) {
  return formatDateTime("dd/mm/yyyy hh:nn", value, FormatSettings::brazilian());
}

FileRunTest::FileRunTest()
    : base_(yesterdayAtAWholeMinute()),
      database_((aliases_.path() / "loja.fdb").string()),
      registry_(writeCatalogAliasFile(aliases_, catalog_.name(),
                                      "[LOJA]\nDRIVER=INTRBASE\nSERVER NAME=" + database_ + "\n")
                    .string()),
      cwd_(work_.path()) {
  fs::remove(fs::path(serviceFolder("update_ftp")) / "odd-listing");
  fs::remove_all(served(""));
  fs::create_directories(served(""));
  // The right password in senha_ftp, a wrong one in senha_ftp2.
  catalog_.execute("INSERT INTO principal (senha_ftp, senha_ftp2) VALUES (" +
                   sqlText(Embaralha(u"secret", 3)) + ", " + sqlText(Embaralha(u"wrong", 4)) + ")");
  site_.outcome = PreparationOutcome::Ready;
  site_.workingFolder = work_.path().string();
  site_.PROGR = programs_.path().string();
  site_.mainExecutablePresent = true;
  site_.data = std::make_unique<UpdateData>(registry_);
  site_.data->catalog.Database1.open();
  const std::string install = sourceFolder() + "/scripts/install-archiver " +
                              programs_.path().string() + " " + std::getenv("KELVO_BINARY_DIR");
  EXPECT_EQ(std::system(install.c_str()), 0);
  configure();
}

fs::path FileRunTest::served(const std::string& name) const {
  return fs::path(serviceValue("update_ftp", "root")) / "quarvessa" / name;
}

void FileRunTest::serve(const std::string& name, const std::string& content, TDateTime when) {
  writeDated(served(name), content, when);
}

void FileRunTest::local(const std::string& name, const std::string& content, TDateTime when) {
  writeDated(work_.path() / name, content, when);
}

std::string FileRunTest::localContent(const std::string& name) const {
  return readFile(work_.path() / name);
}

void FileRunTest::configure(const std::vector<std::string>& more_lines, const std::string& port) {
  std::string text = "127.0.0.1\r\n" + (port.empty() ? serviceValue("update_ftp", "port") : port);
  for (const std::string& line : more_lines) text += "\r\n" + line;
  work_.write("atualiza.cfg", text + "\r\n");
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
  return updateSite(site_, view_, ftp_, options);
}

void FileRunTest::tickClientDatabase() {
  createDialect1Database(database_);
  site_.aliases.push_back({"LOJA", true});
}

}  // namespace kelvo::test
