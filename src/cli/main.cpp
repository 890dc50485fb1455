// kelvoupdate: the update from the command line, for unattended runs.
#include <exception>
#include <filesystem>
#include <iostream>

#include "cli/cli_arguments.h"
#include "cli/console.h"
#include "cli/exit_codes.h"
#include "cli/report_text.h"
#include "cli/run_command.h"
#include "cli/site_report.h"
#include "platform/command_line.h"
#include "platform/native_path.h"

namespace {

using namespace kelvo;
using namespace kelvo::cli;

int report(Console& console, AliasRegistry& registry, const Arguments& args) {
  const bool preview = args.command == Command::Preview;
  const SiteReport site = readSiteReport(registry, preview);
  console.out() << (args.json ? reportJson(site, preview)
                              : reportText(site, preview, regionalSettings()))
                << std::flush;
  if (site.error) console.note("kelvoupdate: " + *site.error);
  if (site.files && site.files->connectFailure) console.note(*site.files->connectFailure);
  return reportExitCode(site);
}

int usageError(const std::string& text) {
  std::cerr << "kelvoupdate: " << text << "\nUse kelvoupdate --help para ver os comandos.\n";
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  const Utf8ConsoleOutput utf8_console;
  Arguments args;
  try {
    args = parseArguments(commandLineArguments(argc, argv));
  } catch (const UsageError& e) {
    return usageError(e.what());
  }
  if (args.command == Command::Help) {
    std::cout << usageText();
    return kExitSuccess;
  }
  if (args.command == Command::Version) {
    std::cout << versionText();
    return kExitSuccess;
  }
  if (!args.folder.empty()) {
    std::error_code error;
    std::filesystem::current_path(filePath(args.folder), error);
    if (error)
      return usageError("não foi possível usar a pasta " + args.folder + ": " + error.message());
  }

  Console console(std::cout, std::cerr, Console::standardErrorIsTerminal());
  try {
    AliasRegistry& registry = systemAliasRegistry();
    if (args.command == Command::Run) return runUpdate(console, registry, args.confirmed);
    return report(console, registry, args);
  } catch (const std::exception& e) {
    console.note(std::string("kelvoupdate: ") + e.what());
    return kExitUnexpected;
  }
}
