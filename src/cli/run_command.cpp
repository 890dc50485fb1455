// The unattended update.
#include "cli/run_command.h"

#include "cli/cli_views.h"
#include "cli/exit_codes.h"
#include "cli/transfer_display.h"
#include "update/failure_gate.h"
#include "update/file_update_run.h"

namespace kelvo::cli {

namespace {

// The gate: a failure record of an earlier script run refuses the update.
bool refusedByGate(Console& console) {
  const std::vector<std::string> records = failureRecords();
  if (records.empty()) return false;
  console.note("Atualização recusada: há registro de falha de script nesta pasta.");
  console.note("SCRIPT EM EXECUÇÃO SALVO: " + records.front());
  return true;
}

}  // namespace

int statusExitCode(const std::string& status_line) {
  if (status_line == kStatusSuccess) return kExitSuccess;
  if (status_line == kStatusSupport) return kExitSupport;
  return kExitRetry;
}

int runUpdate(Console& console, AliasRegistry& registry, bool confirmed) {
  if (refusedByGate(console)) return kExitRefused;
  if (!confirmed) {
    console.note(
        "Atualização recusada: FECHE TODOS OS APLICATIVOS ANTES DE FAZER A ATUALIZAÇÃO, inclusive "
        "os terminais, e confirme com --confirmo-aplicativos-fechados.");
    return kExitUsage;
  }

  CliPreparationView preparation(registry);
  if (prepare(preparation, registry) != PreparationOutcome::Ready) {
    for (const std::string& message : preparation.messages) console.note(message);
    if (preparation.downloadAddress) {
      console.note("Endereço para download: " + *preparation.downloadAddress);
    }
    return kExitPreparation;
  }
  UpdateData& data = *preparation.data();

  const FormatSettings settings = regionalSettings();
  FtpClient ftpupdate;
  TransferDisplay transfers(console, settings);
  transfers.attach(ftpupdate);
  CliScriptRunView script_view(console);
  int wait_tag = 0;  // the wait screen's tag: 1 once a script failed
  CliFileRunView file_view(console, transfers, preparation.mainExecutableLabel, [&] {
    ScriptRun scripts(data, script_view, wait_tag);
    scripts.run(preparation.tickedAliases());
    return wait_tag;
  });
  {
    const ChildOutputToStandardError archiver_output;
    FileUpdateRun run(file_view, ftpupdate, data.catalog, preparation.programFolder, settings);
    run.AtualizaArquivos();
  }
  if (file_view.exitCode) return *file_view.exitCode;
  console.endUpdating();
  console.out() << file_view.statusLine << '\n' << std::flush;
  return statusExitCode(file_view.statusLine);
}

}  // namespace kelvo::cli
