// Statements on the catalogue table "scripts" and the reading of their rows.
#include "update/script_catalogue.h"

#include <optional>

#include "access/catalogue/pega_bde_dados.h"
#include "platform/ascii.h"
#include "platform/codepage.h"
#include "scripts/script_lines.h"

namespace kelvo {

std::string catalogueAddress(AliasRegistry& registry) {
  std::string address = PegaBDEdados(registry, "Check", "SERVER NAME");
  if (const std::string port = PegaBDEdados(registry, "Check", "PORT"); !port.empty()) {
    address += ":" + port;
  }
  const std::string database = PegaBDEdados(registry, "Check", "DATABASE NAME");
  return database.empty() ? address : address + "/" + database;
}

namespace {

// The part of the count and list statements after the selected columns.
std::string pendingCondition(std::string_view programa, std::string_view versao) {
  return " from scripts where programa='" + sqlQuoted(programa) + "'" + " and versao>" + "'" +
         sqlQuoted(versao) + "'" + " and liberado='S' order by versao";
}

// Returns VALUE as the catalogue compares it: ASCII letters folded, trailing
// blanks ignored.
std::string comparable(std::string value) {
  while (!value.empty() && value.back() == ' ') value.pop_back();
  return upperAscii(value);
}

}  // namespace

ScriptKey currentScriptKey(CatalogQuery& list) {
  return {comparable(list.fieldByName("programa").asString()),
          comparable(list.fieldByName("versao").asString())};
}

std::string sqlQuoted(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (const char c : value) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out;
}

std::string pendingCountStatement(std::string_view programa, std::string_view versao) {
  return "select count(*) ct" + pendingCondition(programa, versao);
}

std::string pendingListStatement(std::string_view programa, std::string_view versao) {
  return "select programa,versao" + pendingCondition(programa, versao);
}

std::string scriptTextStatement(std::string_view programa, std::string_view versao,
                                bool with_signature) {
  // Only a released row may supply the text: a draft filed under the same
  // pair must never run, whichever row the catalogue returns first.
  return std::string("select texto") + (with_signature ? ",assinatura" : "") +
         " from scripts where programa='" + sqlQuoted(programa) + "' and versao='" +
         sqlQuoted(versao) + "' and liberado='S'";
}

std::int64_t ScriptCatalogue::pendingCount(std::string_view programa, std::string_view versao) {
  CatalogQuery& query = catalog_.Query3;
  query.setStatement(pendingCountStatement(programa, versao));
  query.open();
  const std::int64_t count = query.fieldByName("ct").asInteger();
  query.close();
  return count;
}

void ScriptCatalogue::openPendingList(std::string_view programa, std::string_view versao) {
  CatalogQuery& query = catalog_.Query2;
  query.close();
  query.setStatement(pendingListStatement(programa, versao));
  query.open();
}

std::vector<std::string> ScriptCatalogue::scriptText() {
  return splitScriptLines(ansiToUtf8(scriptSource(false).texto));
}

ScriptSource ScriptCatalogue::scriptSource(bool with_signature) {
  CatalogQuery& list = catalog_.Query2;
  CatalogQuery& table = catalog_.Table2;
  const std::string programa = list.fieldByName("programa").asString();
  const std::string versao = list.fieldByName("versao").asString();
  table.close();
  table.setStatement(scriptTextStatement(programa, versao, with_signature));
  table.open();
  // Several rows may share the pair: the first one the catalogue returns wins.
  ScriptSource source;
  if (!table.eof()) {
    source.texto = table.fieldByName("texto").asBytes();
    if (with_signature) source.assinatura = table.fieldByName("assinatura").asString();
  }
  table.close();
  return source;
}

std::vector<std::string> ScriptCatalogue::pendingVersions(std::string_view programa,
                                                          std::string_view versao) {
  openPendingList(programa, versao);
  CatalogQuery& list = pendingList();
  std::vector<std::string> versions;
  std::optional<ScriptKey> previous;
  for (; !list.eof(); list.next()) {
    ScriptKey key = currentScriptKey(list);
    if (key == previous) continue;
    versions.push_back(list.fieldByName("versao").asString());
    previous = std::move(key);
  }
  closePendingList();
  return versions;
}

}  // namespace kelvo
