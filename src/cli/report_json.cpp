// status and preview as one JSON object.
#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/report_text.h"

namespace kelvo::cli {

namespace {

// Members keep the order they are written in.
using Json = nlohmann::ordered_json;

const char* preparationCode(PreparationOutcome outcome) {
  switch (outcome) {
    case PreparationOutcome::NotConfirmed:
      return "nao_confirmada";
    case PreparationOutcome::ArchiverMissing:
      return "winrar_ausente";
    case PreparationOutcome::MainExecutableMissing:
      return "executavel_ausente";
    case PreparationOutcome::SettingsFileMissing:
      return "sys_info_ausente";
    case PreparationOutcome::AliasUnknown:
      return "alias_desconhecido";
    case PreparationOutcome::CatalogueUnreachable:
      return "mysql_inacessivel";
    case PreparationOutcome::ClientDatabaseUnreachable:
      return "base_inacessivel";
    case PreparationOutcome::Ready:
      return "pronta";
  }
  return "";
}

std::string isoTime(TDateTime value) {
  const DateParts d = decodeDate(value);
  const TimeParts t = decodeTime(value);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", d.year, d.month, d.day, t.hour,
                t.minute, t.second);
  return text;
}

Json optionalText(const std::optional<std::string>& text) { return text ? Json(*text) : Json(); }

Json database(const DatabaseReport& database) {
  Json json = Json::object();
  json["alias"] = database.plan.alias;
  json["arquivo"] = database.plan.location;
  json["versao"] = optionalText(database.plan.version);
  json["criaria_versao"] = !database.plan.version && !database.error;
  json["scripts_pendentes"] = static_cast<std::int64_t>(database.plan.pending.size());
  json["versoes_pendentes"] = database.plan.pending;
  json["erro"] = optionalText(database.error);
  return json;
}

Json files(const FilePlan& files) {
  Json rows = Json::array();
  for (const FilePlanRow& row : files.rows) {
    Json json = Json::object();
    json["nome"] = row.name;
    json["situacao"] = verdictCode(row.verdict);
    json["baixar"] = fetches(row.verdict);
    json["hora_servidor"] = isoTime(row.serverTime);
    json["hora_local"] = row.localTime ? Json(isoTime(*row.localTime)) : Json();
    json["tamanho"] = row.size;
    rows.push_back(std::move(json));
  }
  Json json = Json::object();
  json["falha_conexao"] = optionalText(files.connectFailure);
  // Only a keyed build refuses a release; without one the layout stays
  // what scripts reading it have always had.
  if (files.releaseRefusal) json["atualizacao_recusada"] = *files.releaseRefusal;
  json["arquivos"] = std::move(rows);
  json["extrai_executavel"] = files.archiveStep;
  return json;
}

}  // namespace

const char* verdictCode(FileVerdict verdict) {
  switch (verdict) {
    case FileVerdict::Current:
      return "atual";
    case FileVerdict::Excluded:
      return "excluido";
    case FileVerdict::OwnFile:
      return "arquivo_do_atualizador";
    case FileVerdict::Missing:
      return "ausente";
    case FileVerdict::ServerNewer:
      return "mais_novo";
    case FileVerdict::ServerOlder:
      return "mais_antigo";
    case FileVerdict::Refused:
      return "recusado";
    case FileVerdict::Unlisted:
      return "fora_do_manifesto";
  }
  return "";
}

std::string reportJson(const SiteReport& report, bool preview) {
  Json json = Json::object();
  json["pasta"] = report.folder;
  json["registros_de_falha"] = report.failureRecords;
  json["pasta_programas"] = report.programFolder;
  json["winrar_encontrado"] = report.archiverFound;
  json["alias"] = optionalText(report.alias);
  json["preparacao"] = report.preparation ? Json(preparationCode(*report.preparation)) : Json();
  json["mensagens"] = report.preparationMessages;
  json["erro"] = optionalText(report.error);
  Json databases = Json::array();
  for (const DatabaseReport& item : report.databases) databases.push_back(database(item));
  json["bases"] = std::move(databases);
  if (preview) json["servidor"] = report.files ? files(*report.files) : Json();
  // A name that is not UTF-8 (a server that sends other bytes) is written
  // with U+FFFD in its place, so that the output stays JSON.
  return json.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace kelvo::cli
