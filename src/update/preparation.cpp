// The preparation run: each step either passes or ends the preparation with
// its fixed message, after which the screen closes.
#include "update/preparation.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "access/catalogue/pega_bde_dados.h"
#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/process.h"
#include "update/deployment.h"
#include "update/own_files.h"
#include "update/program_files.h"
#include "update/site_servers.h"

namespace kelvo {

namespace {

const std::string kDownloadAddress = std::string("https://") + kDownloadHost + "/winrar.exe";
constexpr std::size_t kAliasStart = 14;  // character 15, counted from 1
constexpr std::size_t kAliasLength = 30;

// Ends the preparation: the message, then the screen closes. The update
// button is disabled first, so that nothing can start the update after a
// failed preparation.
PreparationOutcome endEarly(PreparationView& view, PreparationOutcome outcome,
                            const std::string& message) {
  view.setUpdateEnabled(false);
  view.showMessage(message);
  view.closeSoon();
  return outcome;
}

// Opens the central catalogue and then the client database of ALIAS at
// LOCATION, closing the client database again. Returns the outcome.
PreparationOutcome openDatabases(PreparationView& view, UpdateData& data, const std::string& alias,
                                 const std::string& location) {
  CatalogDatabase& central = data.catalog.Database1;
  IbDatabase& client = data.client.IBDatabase1;
  client.setDatabaseName(location);
  try {
    central.open();
  } catch (const std::exception&) {
    // Whatever went wrong, the operator sees the one fixed message.
    if (central.connected()) central.close();
    return endEarly(view, PreparationOutcome::CatalogueUnreachable,
                    "Conexão com o MYSQL da internet não localizado.");
  }
  try {
    client.open();
  } catch (const std::exception&) {
    if (central.connected()) central.close();
    if (client.connected()) client.close();
    return endEarly(view, PreparationOutcome::ClientDatabaseUnreachable,
                    "Alias " + alias + " encontrado, mas arquivo apontado por ele " + location +
                        " não foi encontrado.");
  }
  client.close();
  return PreparationOutcome::Ready;
}

// Resolves and opens the databases of every alias row, ticking each row
// whose databases opened. Returns the outcome.
PreparationOutcome openEveryAlias(PreparationView& view, AliasRegistry& aliases,
                                  PreparedSite& site) {
  for (std::size_t row = 0; row < site.aliases.size(); ++row) {
    const std::string& alias = site.aliases[row].alias;
    const std::string location = PegaBDEdados(aliases, alias, "SERVER NAME");
    if (location.empty()) {
      return endEarly(view, PreparationOutcome::AliasUnknown,
                      aliasNotFoundMessage(alias, aliasProblem(aliases, alias)));
    }
    if (const auto outcome = openDatabases(view, *site.data, alias, location);
        outcome != PreparationOutcome::Ready) {
      return outcome;
    }
    site.aliases[row].ticked = true;
    view.tickAlias(row);
  }
  return PreparationOutcome::Ready;
}

}  // namespace

void PreparationView::openDownloadPage(const std::string& address) {
  // Whether a browser came up is the shell's business; the program ends either way.
  shellOpen(address);
}

std::string aliasNotFoundMessage(std::string_view alias, std::string_view problem) {
  std::string message = "Alias " + std::string(alias) + " do BDE não encontrado.";
  // The alias file's own complaint tells the technician which line to mend.
  if (!problem.empty()) message += "\n" + std::string(problem);
  return message;
}

std::string readSettingsAlias(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error("Cannot open " + path + ": " + std::strerror(errno));
  // Only the alias's characters matter: a first line without an end (a
  // binary file under that name) is not read whole into memory.
  std::string line;
  char c = 0;
  while (line.size() < kAliasStart + kAliasLength && in.get(c) && c != '\r' && c != '\n') {
    line += c;
  }
  if (in.bad()) throw Error("Cannot read " + path);
  return settingsAliasOfLine(line);
}

std::string settingsAliasOfLine(std::string_view firstLine) {
  const std::string_view alias = firstLine.size() > kAliasStart
                                     ? firstLine.substr(kAliasStart, kAliasLength)
                                     : std::string_view();
  return ansiToUtf8(trimBlanksAndControls(alias));
}

std::vector<std::string> PreparedSite::tickedAliases() const {
  std::vector<std::string> ticked;
  for (const AliasRow& row : aliases) {
    if (row.ticked) ticked.push_back(row.alias);
  }
  return ticked;
}

PreparedSite prepare(PreparationView& view, AliasRegistry& aliases, bool confirmed,
                     std::shared_ptr<const IbClientApi> api, const SiteSettings& settings) {
  PreparedSite site;
  site.workingFolder = std::filesystem::current_path().string();
  site.PROGR = programFiles();
  view.setProgramFolder(site.PROGR);
  if (!confirmed) {
    view.setUpdateEnabled(false);
    view.closeSoon();
    site.outcome = PreparationOutcome::NotConfirmed;
    return site;
  }
  view.releaseConfirmation();

  if (!archiverInstalled(site.PROGR)) {
    view.setUpdateEnabled(false);
    view.showMessage(
        "Favor fazer a instalação do Winrar Primeiro. Voce será redirecionado para o download.");
    view.openDownloadPage(kDownloadAddress);
    view.closeSoon();
    site.outcome = PreparationOutcome::ArchiverMissing;
    return site;
  }
  if (!fileExists("Sys_Tavrela.exe") && !fileExists("Sys_Tavrela.old")) {
    site.outcome = endEarly(view, PreparationOutcome::MainExecutableMissing,
                            "Arquivo Sys_Tavrela.exe não encontrado nesta pasta que você executou "
                            "o atualiza_quarvessa.exe");
    return site;
  }
  if (!fileExists(kSysInfoIni)) {
    site.outcome = endEarly(view, PreparationOutcome::SettingsFileMissing,
                            "Arquivo Sys_Info.ini não encontrado nesta pasta que você executou o "
                            "atualiza_quarvessa.exe");
    return site;
  }
  site.mainExecutablePresent = true;
  view.showMainExecutable(site.mainExecutable + " - Será atualizado");
  site.aliases.push_back({readSettingsAlias(kSysInfoIni), false});
  view.addAlias(site.aliases.back().alias);

  site.data = std::make_unique<UpdateData>(aliases, std::move(api));
  std::vector<std::string>& params = site.data->catalog.Database1.params();
  params.push_back("READ TIMEOUT=" + std::to_string(settings.catalogueReadTimeout));
  params.push_back("WRITE TIMEOUT=" + std::to_string(settings.catalogueWriteTimeout));
  for (std::string& line : catalogueTlsParams(settings)) params.push_back(std::move(line));
  view.createWaitScreen(*site.data);
  site.outcome = openEveryAlias(view, aliases, site);
  if (site.ready()) view.showReady("Clique em Atualizar agora ou pressione <ENTER>.");
  return site;
}

}  // namespace kelvo
