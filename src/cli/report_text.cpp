// status and preview as text.
#include "cli/report_text.h"

#include <algorithm>

#include "platform/formats.h"
#include "update/ftp_login.h"
#include "update/version_store.h"

namespace kelvo::cli {

namespace {

std::string minute(TDateTime value, const FormatSettings& settings) {
  return formatDateTime("dd/mm/yyyy HH:mm", value, settings);
}

std::string why(const FilePlanRow& row, const FormatSettings& settings) {
  const std::string server = "servidor " + minute(row.serverTime, settings);
  const std::string local = row.localTime ? "local " + minute(*row.localTime, settings) : "";
  switch (row.verdict) {
    case FileVerdict::Missing:
      return "ausente nesta pasta (" + server + ")";
    case FileVerdict::ServerNewer:
      return "mais novo no servidor (" + server + ", " + local + ")";
    case FileVerdict::ServerOlder:
      return "mais antigo no servidor (" + server + ", " + local + ")";
    case FileVerdict::Current:
      return "atual (" + server + ")";
    case FileVerdict::Excluded:
      return "nunca é baixado";
    case FileVerdict::OwnFile:
      return "arquivo do próprio atualizador, nunca é baixado";
    case FileVerdict::Refused:
      return "nome recusado, não será gravado nesta pasta";
    case FileVerdict::Unlisted:
      return "não consta do manifesto assinado, nunca é baixado";
  }
  return "";
}

const char* action(FileVerdict verdict) {
  if (fetches(verdict)) return "baixar ";
  return verdict == FileVerdict::Refused ? "recusar" : "manter ";
}

std::string joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
  return text;
}

std::string versionText(const DatabasePlan& plan) {
  if (!plan.version) {
    return std::string("tabela VERSAO ausente (seria criada com a versão ") + kBootstrapVersion +
           ")";
  }
  return "versão " + (plan.version->empty() ? std::string("(vazia)") : *plan.version);
}

void writeStatus(std::string& out, const SiteReport& report) {
  out += "Pasta: " + report.folder + "\n";
  if (report.failureRecords.empty()) {
    out += "Registros de falha: nenhum\n";
  } else {
    out += "Registros de falha: " + std::to_string(report.failureRecords.size()) +
           " (a atualização será recusada)\n";
    for (const std::string& name : report.failureRecords) out += "  " + name + "\n";
  }
  if (!report.programFolder.empty()) {
    out += std::string("Winrar: ") + (report.archiverFound ? "encontrado" : "não encontrado") +
           " em " + report.programFolder + "\n";
  }
  out += "Alias (Sys_Info.INI): " + (report.alias ? *report.alias : "sem Sys_Info.INI") + "\n";
  if (report.ready()) {
    out += "Preparação: pronta\n";
  } else if (!report.error) {
    out += "Preparação: não concluída\n";
    for (const std::string& message : report.preparationMessages) out += "  " + message + "\n";
    if (report.downloadAddress)
      out += "  Endereço para download: " + *report.downloadAddress + "\n";
  }
  for (const DatabaseReport& database : report.databases) {
    out += "Base " + database.plan.alias + " (" + database.plan.location + "): ";
    if (database.error) {
      out += "erro: " + *database.error + "\n";
    } else {
      out += versionText(database.plan) + "; " + std::to_string(database.plan.pending.size()) +
             " script(s) pendente(s)\n";
    }
  }
}

void writeFiles(std::string& out, const FilePlan& files, const FormatSettings& settings) {
  if (files.connectFailure) {
    out += "Servidor FTP: " + *files.connectFailure + "\n";
    return;
  }
  if (files.releaseRefusal) {
    out += "Atualização recusada, nenhum arquivo seria baixado: " + *files.releaseRefusal + "\n";
    return;
  }
  out += std::string("Arquivos da pasta ") + kServerFolder + " no servidor:\n";
  std::size_t width = 0;
  for (const FilePlanRow& row : files.rows) width = std::max(width, row.name.size());
  int fetching = 0;
  int refused = 0;
  for (const FilePlanRow& row : files.rows) {
    fetching += fetches(row.verdict) ? 1 : 0;
    refused += row.verdict == FileVerdict::Refused ? 1 : 0;
    out += std::string("  ") + action(row.verdict) + "  " + row.name +
           std::string(width - row.name.size(), ' ') + "  " + why(row, settings) + "\n";
  }
  out += fetching == 0 ? std::string("Nenhum arquivo a baixar.\n")
                       : std::to_string(fetching) + " arquivo(s) a baixar.\n";
  if (refused > 0) {
    out += std::to_string(refused) +
           " nome(s) recusado(s): a atualização terminaria com erros, sem extração e sem "
           "scripts.\n";
  }
  out += std::string("Extração do Sys_Tavrela.exe de Sys_Tavrela.rar: ") +
         (files.archiveStep ? "sim" : "não") + "\n";
}

}  // namespace

std::string reportText(const SiteReport& report, bool preview, const FormatSettings& settings) {
  std::string out;
  writeStatus(out, report);
  if (!preview) return out;
  if (report.files) writeFiles(out, *report.files, settings);
  for (const DatabaseReport& database : report.databases) {
    if (database.error) continue;
    const std::vector<std::string>& pending = database.plan.pending;
    out += "Scripts a aplicar na base " + database.plan.alias + ": " +
           (pending.empty() ? std::string("nenhum") : joined(pending)) + "\n";
  }
  return out;
}

}  // namespace kelvo::cli
