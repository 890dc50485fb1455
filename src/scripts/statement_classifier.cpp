// The classification table, one function per group of rows, first match wins.
#include "scripts/statement_classifier.h"

#include <algorithm>
#include <initializer_list>

#include "platform/ascii.h"

namespace kelvo {

namespace {

using Tokens = std::vector<std::string>;
using K = StatementKind;

// Returns token INDEX upper-cased, or empty text when there is none.
std::string word(const Tokens& tokens, std::size_t index) {
  return index < tokens.size() ? upperAscii(tokens[index]) : std::string();
}

bool isOneOf(const std::string& word, std::initializer_list<const char*> words) {
  return std::any_of(words.begin(), words.end(), [&](const char* w) { return word == w; });
}

// COMMIT [WORK | RETAINING]: the second word must be written in capitals.
K classifyCommit(const Tokens& tokens) {
  if (tokens.size() != 2) return K::stmtCOMMIT;
  if (tokens[1] == "RETAINING") return K::stmtCOMMITRetaining;
  if (tokens[1] == "WORK") return K::stmtCOMMIT;
  return K::stmtERR;
}

// ROLLBACK [WORK] TO [SAVEPOINT] name, in any letter case, is the server's
// own savepoint rollback; the other forms of two or more words are refused.
bool isSavepointRollback(const Tokens& tokens) {
  std::size_t at = 1;
  if (word(tokens, at) == "WORK") ++at;
  if (word(tokens, at) != "TO") return false;
  ++at;
  if (word(tokens, at) == "SAVEPOINT" && tokens.size() == at + 2) ++at;
  return tokens.size() == at + 1;
}

K classifyRollback(const Tokens& tokens) {
  if (tokens.size() == 1) return K::stmtROLLBACK;
  if (tokens.size() == 2 && tokens[1] == "RETAINING") return K::stmtROLLBACKRetaining;
  return isSavepointRollback(tokens) ? K::stmtRollbackSavePoint : K::stmtERR;
}

K classifyBatch(const std::string& second) {
  if (second == "START") return K::stmtBatchStart;
  if (second == "EXECUTE") return K::stmtBatchExecute;
  return K::stmtERR;
}

K classifySet(const Tokens& tokens) {
  const std::string second = word(tokens, 1);
  const std::size_t count = tokens.size();
  if (second == "GENERATOR") return K::stmtDDL;
  if (second == "STATISTICS" && word(tokens, 2) == "INDEX") return K::stmtDDL;
  if (second == "TERM" && count == 3) return K::stmtTERM;
  if (second == "SQL" && word(tokens, 2) == "DIALECT" && count == 4) return K::stmtSET;
  if (isOneOf(second, {"AUTODDL", "STATISTICS", "NAMES", "SAVEPOINTS"}) && count == 3) {
    return K::stmtSET;
  }
  if (second == "PASSWORD") return K::stmtServerSET;
  return K::stmtERR;
}

// The rows for statements of two or more words that start with a keyword.
K classifyByFirstWords(const Tokens& tokens) {
  const std::string first = word(tokens, 0);
  const std::string second = word(tokens, 1);
  if (first == "BATCH") return classifyBatch(second);
  if (first == "RELEASE" && second == "SAVEPOINT") return K::stmtReleaseSavePoint;
  if (isOneOf(first, {"INSERT", "DELETE", "SELECT", "UPDATE", "EXECUTE"})) return K::stmtDML;
  if (first == "INPUT") return K::stmtINPUT;
  if (first == "CONNECT") return K::stmtCONNECT;
  if (first == "CREATE" && isOneOf(second, {"DATABASE", "SCHEMA"})) return K::stmtCREATE;
  if (first == "DROP" && second == "DATABASE") return K::stmtDrop;
  if (isOneOf(first, {"DECLARE", "CREATE", "ALTER", "GRANT", "REVOKE", "DROP"})) return K::stmtDDL;
  if (first == "SET") return classifySet(tokens);
  return K::stmtERR;
}

}  // namespace

StatementKind classifyStatement(const std::vector<std::string>& tokens) {
  if (tokens.empty()) return K::stmtEMPTY;
  const std::string first = word(tokens, 0);
  if (first == "COMMIT") return classifyCommit(tokens);
  if (first == "ROLLBACK") return classifyRollback(tokens);
  if (first == "RECONNECT") return K::stmtReconnect;
  if (first == "SAVEPOINT") return K::stmtStartSavepoint;
  if (tokens.size() == 1) return K::stmtERR;
  return classifyByFirstWords(tokens);
}

}  // namespace kelvo
