// Failures reported by the client database library.
#pragma once

#include <string>
#include <vector>

#include "access/interbase/ib_client_library.h"
#include "platform/error.h"

namespace kelvo {

// A failure reported by the server or the client library. Its text is the
// status vector's message lines joined by CR LF, without a final full stop.
class IbError : public Error {
 public:
  IbError(std::vector<std::string> lines, long gds_code, long sql_code);

  // Returns the message lines as the library interpreted them.
  const std::vector<std::string>& statusLines() const { return lines_; }
  // Returns the first error code of the status vector (isc_... number).
  long gdsCode() const { return gds_code_; }
  // Returns the SQL code of the status vector (for example -204).
  long sqlCode() const { return sql_code_; }

 private:
  std::vector<std::string> lines_;
  long gds_code_;
  long sql_code_;
};

// Returns the message lines of a failed STATUS vector, as UTF-8.
std::vector<std::string> ibStatusLines(const IbClientApi& api, const ISC_STATUS* status);

// Returns LINES joined by CR LF, with a final full stop removed.
std::string joinIbStatusLines(const std::vector<std::string>& lines);

// Returns true when STATUS holds a failure (a warning alone is no failure).
inline bool ibFailed(const ISC_STATUS* status) { return status[0] == 1 && status[1] != 0; }

// Raises the IbError of a failed STATUS vector.
[[noreturn]] void raiseIbError(const IbClientApi& api, const ISC_STATUS* status);

// Raises the IbError of STATUS when it holds a failure.
inline void checkIbStatus(const IbClientApi& api, const ISC_STATUS* status) {
  if (ibFailed(status)) raiseIbError(api, status);
}

}  // namespace kelvo
