// The script application run over the ticked client databases.
#include "update/script_run.h"

#include <cmath>

#include "access/catalogue/pega_bde_dados.h"
#include "platform/codepage.h"
#include "scripts/ib_script.h"
#include "update/failure_record.h"
#include "update/script_catalogue.h"
#include "update/script_plan.h"
#include "update/version_store.h"

namespace kelvo {

int progressPosition(std::int64_t n, std::int64_t done) {
  if (n <= 0) return 100;
  const double exact = (100.0 / static_cast<double>(n)) * static_cast<double>(done);
  double whole = std::floor(exact);
  const double fraction = exact - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  return whole >= 100.0 ? 100 : static_cast<int>(whole);
}

void ExecutaScript(IbScript& script) {
  blankCommitWorkLines(script.Script());
  script.ExecuteScript();
}

bool ScriptRunResult::failed() const { return runError || firstFailure() != nullptr; }

const DatabaseResult* ScriptRunResult::firstFailure() const {
  for (const DatabaseResult& database : databases) {
    if (database.failure) return &database;
  }
  return nullptr;
}

ScriptRun::ScriptRun(UpdateData& data, std::vector<std::string> ticked, FailureClock clock)
    : data_(data), ticked_(std::move(ticked)), clock_(std::move(clock)) {
  if (!clock_.now) clock_.now = now;
}

const ScriptRunResult& ScriptRun::run(ScriptRunView& view) {
  result_ = {};
  std::vector<std::string> work_list;
  work_list.reserve(ticked_.size());
  for (const std::string& alias : ticked_) work_list.push_back(workListEntry(alias));
  try {
    for (const std::string& entry : work_list) updateDatabase(view, entry);
  } catch (const std::exception& error) {
    // Nothing on this borderless screen could close it: end the run here
    // and let the update end with errors.
    closeAfterError();
    result_.runError = error.what();
    view.showRunError(error.what());
  }
  data_.tipo.clear();
  view.closeScreen();
  return result_;
}

void ScriptRun::updateDatabase(ScriptRunView& view, const std::string& entry) {
  DatabaseResult& database = result_.databases.emplace_back();
  database.alias = utf8Characters(entry, 2, 100);
  data_.client.IBDatabase1.setDatabaseName(
      PegaBDEdados(data_.registry, database.alias, "SERVER NAME"));
  if (std::string code = programmeCode(entry); !code.empty()) data_.tipo = std::move(code);
  data_.client.IBDatabase1.open();

  VersionStore versions(data_.client.IBQuery1);
  database.versionBefore = versions.readVersion();
  ScriptCatalogue scripts(data_.catalog);
  database.pending = scripts.pendingCount(data_.tipo, database.versionBefore);
  scripts.openPendingList(data_.tipo, database.versionBefore);

  applyScripts(view, entry, scripts, database);

  view.setProgress(100);
  if (!database.applied.empty()) {
    const std::string reached = scripts.pendingList().fieldByName("versao").asString();
    versions.recordVersion(reached);
    database.recordedVersion = reached;
  }
  scripts.closePendingList();
  data_.client.IBDatabase1.close();
}

void ScriptRun::applyScripts(ScriptRunView& view, const std::string& entry,
                             ScriptCatalogue& scripts, DatabaseResult& database) {
  CatalogQuery& list = scripts.pendingList();
  view.setProgressMaximum(100);
  std::int64_t done = 0;
  std::optional<ScriptKey> previous;
  while (!list.eof() && !database.failure) {
    ScriptKey pair = currentScriptKey(list);
    // Rows sharing a pair hold one script: the first row applies it.
    if (pair != previous) {
      IbScript& runner = data_.IBScript1;
      runner.Script() = scripts.scriptText();
      database.applied.push_back(list.fieldByName("versao").asString());
      try {
        ExecutaScript(runner);
      } catch (const std::exception& error) {
        recordFailure(view, error, entry, database);
      }
      try {
        data_.client.IBTransaction1.commit();
      } catch (const std::exception&) {
        // Nothing to commit, or the commit failed: the run goes on either way.
      }
      previous = std::move(pair);
    }
    ++done;
    view.setProgress(progressPosition(database.pending, done));
    if (!database.failure) list.next();
  }
}

void ScriptRun::recordFailure(ScriptRunView& view, const std::exception& error,
                              const std::string& entry, DatabaseResult& database) {
  std::vector<std::string>& script = data_.IBScript1.Script();
  insertFailureHeader(script, error.what());
  const TDateTime date = clock_.now();
  const TDateTime time = clock_.now();
  const FormatSettings settings = clock_.settings ? *clock_.settings : regionalSettings();
  const std::string name = failureRecordName(date, time, entry, settings);
  database.failure = ScriptFailure{database.applied.back(), error.what(), name};
  saveFailureRecord(name, script);
  view.showScriptError("SCRIPT EM EXECUÇÃO SALVO: " + name);
  view.pause(1000);
}

void ScriptRun::closeAfterError() noexcept {
  // Each step on its own: the error shown is the one that stopped the run,
  // not a later one of this clean-up.
  const auto quietly = [](auto&& step) {
    try {
      step();
    } catch (const std::exception&) {
    }
  };
  ClientConnection& client = data_.client;
  quietly([&] { data_.catalog.Query2.close(); });
  quietly([&] { data_.catalog.Table2.close(); });
  quietly([&] { client.IBQuery1.close(); });
  // The scripts before the error were committed one by one. What is still
  // open belongs to a script whose version will not be recorded (its record
  // could not be saved) or to a failing version statement: it is dropped, so
  // that the script offered again next time does not find its rows twice.
  quietly([&] {
    if (client.IBTransaction1.inTransaction()) client.IBTransaction1.rollback();
  });
  quietly([&] {
    if (client.IBTransaction2.inTransaction()) client.IBTransaction2.rollback();
  });
  quietly([&] { client.IBDatabase1.close(); });
}

}  // namespace kelvo
