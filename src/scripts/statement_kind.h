// The kinds of statement the script reader recognises.
#pragma once

#include <string>
#include <vector>

namespace kelvo {

enum class StatementKind {
  stmtDDL,
  stmtDML,
  stmtSET,
  stmtCONNECT,
  stmtDrop,
  stmtCREATE,
  stmtINPUT,
  stmtEMPTY,
  stmtTERM,
  stmtERR,
  stmtCOMMIT,
  stmtROLLBACK,
  stmtReconnect,
  stmtRollbackSavePoint,
  stmtReleaseSavePoint,
  stmtStartSavepoint,
  stmtCOMMITRetaining,
  stmtROLLBACKRetaining,
  stmtBatchStart,
  stmtBatchExecute,
  stmtServerSET,
  stmtUNK,
};

// Returns the kind's name as written above ("stmtDDL").
const char* statementKindName(StatementKind kind);

// One statement as the reader delivers it: its kind, the text that goes to
// the server, and the words it was recognised by.
struct Statement {
  StatementKind kind = StatementKind::stmtUNK;
  std::string text;
  std::vector<std::string> tokens;
};

}  // namespace kelvo
