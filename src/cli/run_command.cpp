// The unattended update.
#include "cli/run_command.h"

#include "cli/cli_views.h"
#include "cli/exit_codes.h"
#include "platform/stop_request.h"

namespace kelvo::cli {

namespace {

// Tells the operator why the update did not get past the gate or the
// preparation.
void explainRefusal(Console& console, const WholeUpdateResult& result,
                    const CliPreparationView& preparation) {
  if (!result.failureRecords.empty()) {
    console.note("Atualização recusada: há registro de falha de script nesta pasta.");
    console.note("SCRIPT EM EXECUÇÃO SALVO: " + result.failureRecords.front());
    return;
  }
  if (result.preparation == PreparationOutcome::NotConfirmed) {
    console.note(
        "Atualização recusada: FECHE TODOS OS APLICATIVOS ANTES DE FAZER A ATUALIZAÇÃO, inclusive "
        "os terminais, e confirme com --confirmo-aplicativos-fechados.");
    return;
  }
  for (const std::string& message : preparation.messages) console.note(message);
  if (preparation.downloadAddress) {
    console.note("Endereço para download: " + *preparation.downloadAddress);
  }
}

}  // namespace

int updateExitCode(const WholeUpdateResult& result) {
  if (!result.failureRecords.empty()) return kExitRefused;
  if (result.preparation == PreparationOutcome::NotConfirmed) return kExitUsage;
  if (!result.update) return kExitPreparation;
  if (!result.update->status) return kExitConnection;
  switch (*result.update->status) {
    case FinalStatus::Success:
      return kExitSuccess;
    case FinalStatus::Retry:
      return kExitRetry;
    case FinalStatus::Interrupted:
      return kExitInterrupted;
    case FinalStatus::Support:
      break;
  }
  return kExitSupport;
}

int runUpdate(Console& console, AliasRegistry& registry, bool confirmed) {
  // From here a scheduler's SIGTERM or a Ctrl-C ends the update at its next
  // safe point instead of killing it midway.
  watchStopSignals();
  const FormatSettings settings = regionalSettings();
  UpdateOptions options;
  options.settings = settings;
  // No gauge shows a file's total before its download here: the sizes of
  // the files left alone would only cost a round trip each.
  options.sizeEveryEntry = false;
  try {
    options.site = readSiteSettings();
  } catch (const SiteSettingsError& e) {
    // A faulty settings file stops the update before it changes anything.
    console.note("kelvoupdate: " + std::string(e.what()));
    return kExitPreparation;
  }
  SiteUpdate update(registry, options);
  CliPreparationView preparation;
  CliScriptRunView scripts(console);
  CliFileRunView files(console, scripts, settings);
  FtpClient ftpupdate;
  WholeUpdateResult result;
  {
    const ChildOutputToStandardError archiver_output;
    result = update.run(preparation, files, ftpupdate, confirmed);
  }
  if (!result.update) {
    explainRefusal(console, result, preparation);
  } else if (result.update->status) {
    console.endUpdating();
    console.out() << finalStatusLine(*result.update->status) << '\n' << std::flush;
  }
  return updateExitCode(result);
}

}  // namespace kelvo::cli
