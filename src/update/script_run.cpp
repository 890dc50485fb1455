// The script application run over the ticked client databases.
#include "update/script_run.h"

#include <cmath>

#include "access/catalogue/catalog_error.h"
#include "access/catalogue/pega_bde_dados.h"
#include "access/interbase/ib_error.h"
#include "platform/codepage.h"
#include "platform/stop_request.h"
#include "scripts/ib_script.h"
#include "scripts/script_lines.h"
#include "update/failure_record.h"
#include "update/preparation.h"
#include "update/release_keys.h"
#include "update/restore_point.h"
#include "update/script_catalogue.h"
#include "update/script_plan.h"
#include "update/script_signature.h"
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

bool ScriptRunResult::failed() const { return firstFailure() != nullptr; }

const DatabaseResult* ScriptRunResult::firstFailure() const {
  for (const DatabaseResult& database : databases) {
    if (database.failure || database.refusedVersion) return &database;
  }
  return nullptr;
}

bool ScriptRunResult::backupFailed() const {
  for (const DatabaseResult& database : databases) {
    if (database.backupError) return true;
  }
  return false;
}

ScriptRun::ScriptRun(UpdateData& data, std::vector<std::string> ticked, FailureClock clock,
                     std::optional<std::string> backup_folder)
    : publicKeys(buildPublicKeys()),
      data_(data),
      ticked_(std::move(ticked)),
      clock_(std::move(clock)),
      backup_folder_(std::move(backup_folder)) {
  requireAbsoluteBackupFolder(backup_folder_);
  if (!clock_.now) clock_.now = now;
}

const ScriptRunResult& ScriptRun::run(ScriptRunView& view) {
  result_ = {};
  std::vector<std::string> work_list;
  work_list.reserve(ticked_.size());
  for (const std::string& alias : ticked_) work_list.push_back(workListEntry(alias));
  try {
    for (const std::string& entry : work_list) updateDatabase(view, entry);
  } catch (const Interrupted&) {
    closeAfterError();
    result_.interrupted = true;
  } catch (const std::exception& error) {
    // Nothing on this borderless screen could close it: end the run here
    // and let the update end with errors.
    closeAfterError();
    result_.runError = runErrorText(error);
    view.showRunError(*result_.runError);
  }
  data_.tipo.clear();
  view.closeScreen();
  return result_;
}

std::string ScriptRun::runErrorText(const std::exception& error) const {
  // The operator must learn which server failed: the catalogue is one for
  // every site, the client database is this site's own.
  if (dynamic_cast<const CatalogError*>(&error) != nullptr) {
    return "Erro no catálogo central de scripts (" + catalogueAddress(data_.registry) +
           "): " + error.what();
  }
  if (dynamic_cast<const IbError*>(&error) != nullptr && !result_.databases.empty()) {
    const DatabaseResult& database = result_.databases.back();
    std::string text =
        "Erro na base de dados " + database.alias + " (" + database.location + "): " + error.what();
    if (database.restorePoint) text += "\n" + restorePointLine(*database.restorePoint);
    return text;
  }
  return error.what();
}

void ScriptRun::updateDatabase(ScriptRunView& view, const std::string& entry) {
  DatabaseResult& database = result_.databases.emplace_back();
  database.alias = std::string(utf8Characters(entry, 2, 100));
  database.location = PegaBDEdados(data_.registry, database.alias, "SERVER NAME");
  // An alias gone since the preparation names no database at all.
  if (database.location.empty()) throw Error(aliasNotFoundMessage(database.alias));
  data_.client.IBDatabase1.setDatabaseName(database.location);
  if (std::string code = programmeCode(entry); !code.empty()) data_.tipo = std::move(code);
  data_.client.IBDatabase1.open();

  VersionStore versions(data_.client.IBQuery1);
  database.versionBefore = versions.readVersion();
  ScriptCatalogue scripts(data_.catalog);
  database.pending = scripts.pendingCount(data_.tipo, database.versionBefore);
  scripts.openPendingList(data_.tipo, database.versionBefore);

  if (takeRestorePoint(view, database)) applyScripts(view, entry, scripts, versions, database);

  view.setProgress(100);
  // Rows sharing a script may spell its version apart (letter case,
  // trailing blanks): the version the list ends on is the one kept.
  if (database.recordedVersion && !database.refusedVersion && !database.invalidSignature &&
      !scripts.pendingList().eof()) {
    const std::string reached = scripts.pendingList().fieldByName("versao").asString();
    if (reached != *database.recordedVersion) {
      versions.recordVersion(reached);
      database.recordedVersion = reached;
    }
  }
  scripts.closePendingList();
  data_.client.IBDatabase1.close();
}

bool ScriptRun::takeRestorePoint(ScriptRunView& view, DatabaseResult& database) {
  if (!backup_folder_ || database.pending <= 0) return true;
  IbDatabase& client = data_.client.IBDatabase1;
  try {
    database.restorePoint = makeRestorePoint(client.api(), client.params(), database.alias,
                                             database.location, *backup_folder_, clock_.now());
    return true;
  } catch (const std::exception& error) {
    // A restore point was asked for: no script runs without it.
    database.backupError = error.what();
    view.showRunError(*database.backupError);
    return false;
  }
}

void ScriptRun::applyScripts(ScriptRunView& view, const std::string& entry,
                             ScriptCatalogue& scripts, VersionStore& versions,
                             DatabaseResult& database) {
  CatalogQuery& list = scripts.pendingList();
  view.setProgressMaximum(100);
  std::int64_t done = 0;
  std::optional<ScriptKey> previous;
  while (!list.eof() && !database.failure && !database.refusedVersion) {
    throwIfStopRequested();
    ScriptKey pair = currentScriptKey(list);
    // Rows sharing a pair hold one script: the first row applies it.
    if (pair != previous) {
      const std::string version = list.fieldByName("versao").asString();
      // A version VERSAO cannot hold would be stored mangled, and its script
      // offered and run again on every update.
      if (const std::optional<std::string> problem = versionProblem(version)) {
        database.refusedVersion = version;
        view.showRunError(*problem);
        break;
      }
      IbScript& runner = data_.IBScript1;
      const bool signed_scripts = !publicKeys.empty();
      const ScriptSource source = scripts.scriptSource(signed_scripts);
      runner.Script() = splitScriptLines(ansiToUtf8(source.texto));
      if (signed_scripts &&
          !scriptSignatureValid(publicKeys, data_.tipo, version, source.texto, source.assinatura)) {
        // Not run and not recorded: once support removes the record, the
        // corrected (signed) script is offered again.
        database.invalidSignature = version;
        recordFailure(view, Error(kInvalidScriptSignature), entry, version, database);
        break;
      }
      database.applied.push_back(version);
      try {
        ExecutaScript(runner);
      } catch (const Interrupted&) {
        throw;  // rolled back, not recorded: it is offered again next time
      } catch (const std::exception& error) {
        recordFailure(view, error, entry, version, database);
      }
      recordVersion(versions, database, version);
      previous = std::move(pair);
    }
    ++done;
    view.setProgress(progressPosition(database.pending, done));
    if (!database.failure) list.next();
  }
}

void ScriptRun::recordVersion(VersionStore& versions, DatabaseResult& database,
                              const std::string& version) {
  IbTransaction& data_transaction = data_.client.IBTransaction1;
  // Where the script left the runner on the client connection, the version
  // goes into its data transaction, so that an update cut off after this
  // commit neither loses the version nor applies the script twice.
  const bool same_transaction = &data_.IBScript1.transaction() == &data_transaction;
  if (same_transaction) versions.recordVersionIn(data_transaction, version);
  try {
    data_transaction.commit();
  } catch (const std::exception&) {
    // Nothing to commit, or the commit failed: the run goes on either way.
  }
  if (!same_transaction) versions.recordVersion(version);
  database.recordedVersion = version;
}

void ScriptRun::recordFailure(ScriptRunView& view, const std::exception& error,
                              const std::string& entry, const std::string& version,
                              DatabaseResult& database) {
  std::vector<std::string>& script = data_.IBScript1.Script();
  insertFailureHeader(script, error.what());
  const TDateTime date = clock_.now();
  const TDateTime time = clock_.now();
  const FormatSettings settings = clock_.settings ? *clock_.settings : regionalSettings();
  const std::string name = failureRecordName(date, time, entry, settings);
  database.failure = ScriptFailure{version, error.what(), name};
  try {
    saveFailureRecord(name, script);
  } catch (const std::exception& cannot_save) {
    // The record is the script's only trace: when it cannot be kept, the
    // operator is told the script's whole error, and the run stops with the
    // script's open work dropped, so that it is offered again.
    database.failure->recordName.clear();
    std::string text = "O script " + database.failure->version + " da base " + database.alias +
                       " falhou e o registro de falha não pôde ser gravado: " + cannot_save.what() +
                       "\nErro do script:\n" + error.what();
    if (database.restorePoint) text += "\n" + restorePointLine(*database.restorePoint);
    throw Error(text);
  }
  std::string caption = "SCRIPT EM EXECUÇÃO SALVO: " + name;
  // The record's name stays the first line as it always was; support reads
  // the database as it was before the scripts on the next.
  if (database.restorePoint) caption += "\n" + restorePointLine(*database.restorePoint);
  view.showScriptError(caption);
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
