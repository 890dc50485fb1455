// status and preview as one JSON object.
#include <cstdio>

#include "cli/json_writer.h"
#include "cli/report_text.h"

namespace kelvo::cli {

namespace {

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

void optionalText(JsonWriter& json, const char* key, const std::optional<std::string>& text) {
  json.key(key);
  if (text) {
    json.value(*text);
  } else {
    json.null();
  }
}

void texts(JsonWriter& json, const char* key, const std::vector<std::string>& items) {
  json.key(key);
  json.beginArray();
  for (const std::string& item : items) json.value(item);
  json.endArray();
}

void writeDatabase(JsonWriter& json, const DatabaseReport& database) {
  json.beginObject();
  json.key("alias");
  json.value(database.plan.alias);
  json.key("arquivo");
  json.value(database.plan.location);
  optionalText(json, "versao", database.plan.version);
  json.key("criaria_versao");
  json.value(!database.plan.version && !database.error);
  json.key("scripts_pendentes");
  json.value(static_cast<std::int64_t>(database.plan.pending.size()));
  texts(json, "versoes_pendentes", database.plan.pending);
  optionalText(json, "erro", database.error);
  json.endObject();
}

void writeFiles(JsonWriter& json, const FilePlan& files) {
  json.beginObject();
  optionalText(json, "falha_conexao", files.connectFailure);
  optionalText(json, "atualizacao_recusada", files.releaseRefusal);
  json.key("arquivos");
  json.beginArray();
  for (const FilePlanRow& row : files.rows) {
    json.beginObject();
    json.key("nome");
    json.value(row.name);
    json.key("situacao");
    json.value(verdictCode(row.verdict));
    json.key("baixar");
    json.value(fetches(row.verdict));
    json.key("hora_servidor");
    json.value(isoTime(row.serverTime));
    json.key("hora_local");
    if (row.localTime) {
      json.value(isoTime(*row.localTime));
    } else {
      json.null();
    }
    json.key("tamanho");
    json.value(row.size);
    json.endObject();
  }
  json.endArray();
  json.key("extrai_executavel");
  json.value(files.archiveStep);
  json.endObject();
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
  JsonWriter json;
  json.beginObject();
  json.key("pasta");
  json.value(report.folder);
  texts(json, "registros_de_falha", report.failureRecords);
  json.key("pasta_programas");
  json.value(report.programFolder);
  json.key("winrar_encontrado");
  json.value(report.archiverFound);
  optionalText(json, "alias", report.alias);
  json.key("preparacao");
  if (report.preparation) {
    json.value(preparationCode(*report.preparation));
  } else {
    json.null();
  }
  texts(json, "mensagens", report.preparationMessages);
  optionalText(json, "erro", report.error);
  json.key("bases");
  json.beginArray();
  for (const DatabaseReport& database : report.databases) writeDatabase(json, database);
  json.endArray();
  if (preview) {
    json.key("servidor");
    if (report.files) {
      writeFiles(json, *report.files);
    } else {
      json.null();
    }
  }
  json.endObject();
  return json.text() + "\n";
}

}  // namespace kelvo::cli
