// Turns a status vector into the error text the operator and the failure
// record see.
#include "access/interbase/ib_error.h"

#include "platform/codepage.h"

namespace kelvo {

IbError::IbError(std::vector<std::string> lines, long gds_code, long sql_code)
    : Error(joinIbStatusLines(lines)),
      lines_(std::move(lines)),
      gds_code_(gds_code),
      sql_code_(sql_code) {}

std::vector<std::string> ibStatusLines(const IbClientApi& api, const ISC_STATUS* status) {
  std::vector<std::string> lines;
  const ISC_STATUS* cursor = status;
  char buffer[1024];
  // Each call interprets one message and moves the cursor to the next; the
  // bound guards against a malformed vector that never ends.
  for (int guard = 0; guard < 64; ++guard) {
    const ISC_LONG length = api.fb_interpret(buffer, sizeof buffer, &cursor);
    if (length <= 0) break;
    lines.push_back(ansiToUtf8(std::string_view(buffer, static_cast<std::size_t>(length))));
  }
  return lines;
}

std::string joinIbStatusLines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

void raiseIbError(const IbClientApi& api, const ISC_STATUS* status) {
  std::vector<std::string> lines = ibStatusLines(api, status);
  const long sql_code = api.isc_sqlcode(status);
  throw IbError(std::move(lines), static_cast<long>(status[1]), sql_code);
}

}  // namespace kelvo
