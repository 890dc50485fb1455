// The version read with its first-contact bootstrap, and the version record.
#include "update/version_store.h"

#include "access/interbase/ib_transaction.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "update/script_catalogue.h"

namespace kelvo {

std::optional<std::string> versionProblem(std::string_view version) {
  const std::string ansi = utf8ToAnsi(version);
  const bool representable = ansiToUtf8(ansi) == version;
  if (representable && ansi.size() <= kVersionLength) return std::nullopt;
  return "A versão \"" + std::string(version) + "\" do catálogo não cabe na tabela VERSAO (" +
         (representable ? "mais de " + std::to_string(kVersionLength) + " caracteres"
                        : "caracteres fora do código de página " + ansiCodePageName()) +
         "): o script não foi executado e será oferecido de novo quando o catálogo for corrigido.";
}

IbTransaction& VersionStore::transaction() {
  IbTransaction* transaction = query_.transaction();
  if (transaction == nullptr) throw Error(query_.name() + ": no transaction assigned");
  return *transaction;
}

void VersionStore::executeAndCommit(const std::string& statement) {
  query_.setSqlText(statement);
  query_.execSql();
  transaction().commit();
}

bool VersionStore::hasVersionTable() {
  query_.setSqlText(
      "SELECT COUNT(*) CT FROM RDB$RELATION_FIELDS where RDB$FIELD_NAME='VERSAO' AND "
      "RDB$RELATION_NAME='VERSAO'");
  query_.open();
  const bool found = query_.fieldByName("CT").asInteger() != 0;
  // The rollback also closes the probe.
  transaction().rollback();
  return found;
}

std::string VersionStore::selectVersion() {
  query_.setSqlText("select versao from versao");
  query_.open();
  std::string version;
  if (!query_.eof()) version = query_.fieldByName("versao").asString();
  query_.close();
  transaction().rollback();
  return version;
}

std::string VersionStore::readVersion() {
  if (!hasVersionTable()) {
    // The table has to be committed before a row can go into it.
    executeAndCommit("CREATE TABLE VERSAO (VERSAO VARCHAR(10));");
    executeAndCommit(std::string("insert into versao (versao) values ('") + kBootstrapVersion +
                     "');");
  }
  return selectVersion();
}

std::optional<std::string> VersionStore::existingVersion() {
  if (!hasVersionTable()) return std::nullopt;
  return selectVersion();
}

void VersionStore::recordVersion(std::string_view version) { writeVersion(version, true); }

void VersionStore::recordVersionIn(IbTransaction& transaction, std::string_view version) {
  IbTransaction* const own = query_.transaction();
  query_.setTransaction(&transaction);
  try {
    writeVersion(version, false);
  } catch (...) {
    query_.setTransaction(own);
    throw;
  }
  query_.setTransaction(own);
}

void VersionStore::writeVersion(std::string_view version, bool commit) {
  const auto execute = [&](const std::string& statement) {
    query_.setSqlText(statement);
    query_.execSql();
    if (commit) transaction().commit();
  };
  execute("update versao set versao='" + sqlQuoted(version) + "'" + ";");
  // The update has no row condition, so it changed none only when the table
  // is empty; without a row the version would be lost and every script
  // offered again on the next run.
  query_.setSqlText("select count(*) CT from versao");
  query_.open();
  const bool empty = query_.fieldByName("CT").asInteger() == 0;
  query_.close();
  if (commit) transaction().rollback();
  if (empty) execute("insert into versao (versao) values ('" + sqlQuoted(version) + "');");
}

}  // namespace kelvo
