// The preparation run: each step either passes or ends the preparation with
// its fixed message, after which the screen closes.
#include "update/preparation.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "access/catalogue/pega_bde_dados.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/process.h"
#include "update/program_files.h"

namespace kelvo {

namespace {

constexpr const char* kDownloadAddress = "http://" KELVO_DOWNLOAD_HOST "/winrar.exe";
constexpr const char* kSettingsFile = "Sys_Info.INI";
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

bool blankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

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
  std::string line;
  char c = 0;
  while (in.get(c) && c != '\r' && c != '\n') line += c;
  if (in.bad()) throw Error("Cannot read " + path);
  std::string_view alias = line.size() > kAliasStart
                               ? std::string_view(line).substr(kAliasStart, kAliasLength)
                               : std::string_view();
  while (!alias.empty() && blankOrControl(alias.front())) alias.remove_prefix(1);
  while (!alias.empty() && blankOrControl(alias.back())) alias.remove_suffix(1);
  return ansiToUtf8(alias);
}

PreparationOutcome prepare(PreparationView& view, AliasRegistry& aliases) {
  const std::string program_folder = programFiles();
  view.setProgramFolder(program_folder);
  if (!view.confirmed()) {
    view.setUpdateEnabled(false);
    view.closeSoon();
    return PreparationOutcome::NotConfirmed;
  }
  view.releaseConfirmation();

  if (!archiverInstalled(program_folder)) {
    view.setUpdateEnabled(false);
    view.showMessage(
        "Favor fazer a instalação do Winrar Primeiro. Voce será redirecionado para o download.");
    view.openDownloadPage(kDownloadAddress);
    view.closeSoon();
    return PreparationOutcome::ArchiverMissing;
  }
  if (!fileExists("Sys_Tavrela.exe") && !fileExists("Sys_Tavrela.old")) {
    return endEarly(view, PreparationOutcome::MainExecutableMissing,
                    "Arquivo Sys_Tavrela.exe não encontrado nesta pasta que você executou o "
                    "atualiza_quarvessa.exe");
  }
  if (!fileExists(kSettingsFile)) {
    return endEarly(view, PreparationOutcome::SettingsFileMissing,
                    "Arquivo Sys_Info.ini não encontrado nesta pasta que você executou o "
                    "atualiza_quarvessa.exe");
  }
  view.showMainExecutable("Sys_Tavrela.exe - Será atualizado");
  view.addAlias(readSettingsAlias(kSettingsFile));

  UpdateData& data = view.createWaitScreen();
  const std::vector<std::string> rows = view.aliases();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const std::string& alias = rows[row];
    const std::string location = PegaBDEdados(aliases, alias, "SERVER NAME");
    if (location.empty()) {
      return endEarly(view, PreparationOutcome::AliasUnknown,
                      aliasNotFoundMessage(alias, aliasProblem(aliases, alias)));
    }
    if (const auto outcome = openDatabases(view, data, alias, location);
        outcome != PreparationOutcome::Ready) {
      return outcome;
    }
    view.tickAlias(row);
  }
  view.showReady("Clique em Atualizar agora ou pressione <ENTER>.");
  return PreparationOutcome::Ready;
}

}  // namespace kelvo
