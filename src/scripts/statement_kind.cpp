// Names of the statement kinds.
#include "scripts/statement_kind.h"

namespace kelvo {

const char* statementKindName(StatementKind kind) {
  switch (kind) {
    case StatementKind::stmtDDL:
      return "stmtDDL";
    case StatementKind::stmtDML:
      return "stmtDML";
    case StatementKind::stmtSET:
      return "stmtSET";
    case StatementKind::stmtCONNECT:
      return "stmtCONNECT";
    case StatementKind::stmtDrop:
      return "stmtDrop";
    case StatementKind::stmtCREATE:
      return "stmtCREATE";
    case StatementKind::stmtINPUT:
      return "stmtINPUT";
    case StatementKind::stmtEMPTY:
      return "stmtEMPTY";
    case StatementKind::stmtTERM:
      return "stmtTERM";
    case StatementKind::stmtERR:
      return "stmtERR";
    case StatementKind::stmtCOMMIT:
      return "stmtCOMMIT";
    case StatementKind::stmtROLLBACK:
      return "stmtROLLBACK";
    case StatementKind::stmtReconnect:
      return "stmtReconnect";
    case StatementKind::stmtRollbackSavePoint:
      return "stmtRollbackSavePoint";
    case StatementKind::stmtReleaseSavePoint:
      return "stmtReleaseSavePoint";
    case StatementKind::stmtStartSavepoint:
      return "stmtStartSavepoint";
    case StatementKind::stmtCOMMITRetaining:
      return "stmtCOMMITRetaining";
    case StatementKind::stmtROLLBACKRetaining:
      return "stmtROLLBACKRetaining";
    case StatementKind::stmtBatchStart:
      return "stmtBatchStart";
    case StatementKind::stmtBatchExecute:
      return "stmtBatchExecute";
    case StatementKind::stmtServerSET:
      return "stmtServerSET";
    case StatementKind::stmtUNK:
      return "stmtUNK";
  }
  return "stmtUNK";
}

}  // namespace kelvo
