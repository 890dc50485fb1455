// The backup service: attach to the service manager, start the backup with
// its output sent to this client, read that output to its end, detach.
#include "access/interbase/ib_backup.h"

#include <ibase.h>

#include <cctype>

#include "access/interbase/ib_error.h"
#include "access/interbase/ib_handles.h"
#include "access/interbase/ib_parameter_blocks.h"
#include "platform/codepage.h"

namespace kelvo {

namespace {

constexpr const char* kServiceManager = "service_mgr";

// The backup file name that makes the service send the backup to its
// caller instead of writing a file on the server.
constexpr std::string_view kToCaller = "stdout";

void appendLong(std::string& block, char item, std::string_view value) {
  if (value.size() > 0xFFFF) throw Error("Nome longo demais para o serviço: " + std::string(value));
  block += item;
  block += static_cast<char>(value.size() & 0xFF);
  block += static_cast<char>((value.size() >> 8) & 0xFF);
  block += value;
}

unsigned readLength(const char* at) {
  return static_cast<unsigned char>(at[0]) | (static_cast<unsigned char>(at[1]) << 8);
}

// Hands the output chunks of one query's reply to WRITE; returns true while
// the service has more to send.
bool takeReply(std::string_view reply, const std::function<void(std::string_view)>& write) {
  bool more = false;
  std::size_t at = 0;
  while (at < reply.size()) {
    const char item = reply[at++];
    switch (item) {
      case isc_info_svc_to_eof: {
        if (at + 2 > reply.size()) throw Error("Resposta do serviço de backup incompleta");
        const unsigned length = readLength(reply.data() + at);
        at += 2;
        if (at + length > reply.size()) throw Error("Resposta do serviço de backup incompleta");
        if (length > 0) {
          write(reply.substr(at, length));
          more = true;
        }
        at += length;
        break;
      }
      case isc_info_truncated:
      case isc_info_data_not_ready:
      case isc_info_svc_timeout:
        more = true;
        break;
      case isc_info_end:
        return more;
      default:
        throw Error("Resposta inesperada do serviço de backup: item " +
                    std::to_string(static_cast<unsigned char>(item)));
    }
  }
  return more;
}

}  // namespace

IbServiceTarget serviceTargetOf(const std::string& location) {
  if (location.empty()) throw Error("Database name is missing");
  if (location.find("://") != std::string::npos) {
    throw Error("Backup de " + location + " não suportado: use caminho local ou host:caminho");
  }
#ifdef _WIN32
  // "C:\..." is a local path on this system, not a host named C.
  const bool drive = location.size() >= 2 && location[1] == ':' &&
                     std::isalpha(static_cast<unsigned char>(location[0]));
  if (drive) return {kServiceManager, location};
#endif
  const std::size_t colon = location.find(':');
  if (colon == std::string::npos || colon == 0) return {kServiceManager, location};
  return {location.substr(0, colon) + ":" + kServiceManager, location.substr(colon + 1)};
}

void backupDatabase(const IbClientApi& api, const std::vector<std::string>& params,
                    const std::string& location,
                    const std::function<void(std::string_view bytes)>& write) {
  const IbServiceTarget target = serviceTargetOf(location);
  const std::string attach_block = buildServiceAttachBlock(params);
  const std::string service = utf8ToAnsi(target.service);
  IbServiceHandle handle(&api);
  ISC_STATUS_ARRAY status{};
  api.isc_service_attach(status, static_cast<unsigned short>(service.size()), service.c_str(),
                         handle.get(), static_cast<unsigned short>(attach_block.size()),
                         attach_block.data());
  if (ibFailed(status)) {
    handle.forget();
    raiseIbError(api, status);
  }

  std::string start(1, static_cast<char>(isc_action_svc_backup));
  appendLong(start, isc_spb_dbname, utf8ToAnsi(target.database));
  appendLong(start, isc_spb_bkp_file, kToCaller);
  api.isc_service_start(status, handle.get(), nullptr, static_cast<unsigned short>(start.size()),
                        start.data());
  checkIbStatus(api, status);

  // The server reports a failure of the backup itself (a database it cannot
  // open, say) in the status of the query that would have read on.
  const char request[] = {isc_info_svc_to_eof};
  std::vector<char> reply(32000);
  bool more = true;
  while (more) {
    api.isc_service_query(status, handle.get(), nullptr, 0, nullptr, sizeof request, request,
                          static_cast<unsigned short>(reply.size()), reply.data());
    checkIbStatus(api, status);
    more = takeReply(std::string_view(reply.data(), reply.size()), write);
  }

  api.isc_service_detach(status, handle.get());
  if (ibFailed(status)) {
    handle.forget();
    raiseIbError(api, status);
  }
  handle.forget();
}

}  // namespace kelvo
