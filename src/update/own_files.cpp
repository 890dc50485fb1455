// The updater's own file names.
#include "update/own_files.h"

#include "platform/wildcard.h"
#include "update/atualiza_cfg.h"
#include "update/failure_gate.h"

namespace kelvo {

bool isOwnFileName(std::string_view name) {
  // Windows opens "atualiza.cfg. " as "atualiza.cfg".
  const std::size_t end = name.find_last_not_of(". ");
  name = end == std::string_view::npos ? std::string_view() : name.substr(0, end + 1);
  static constexpr const char* kMasks[] = {
      kAtualizaCfg,           kSysInfoIni,     kFailureRecordMask,    kManifestName,
      kManifestSignatureName, ".kelvo-*.part", ".kelvo-record-*.tmp", ".kelvo-backup-*",
  };
  for (const char* mask : kMasks) {
    if (matchesWildcard(name, mask)) return true;
  }
  return false;
}

}  // namespace kelvo
