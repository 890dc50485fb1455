// On Windows the machine's alias registry is the same INI-style alias file,
// kept for every user of the machine under %ProgramData%.
#include "access/catalogue/alias_file.h"
#include "platform/environment.h"
#include "platform/native_path.h"

namespace kelvo {

AliasRegistry& systemAliasRegistry() {
  static AliasFileRegistry registry;  // finds its file on first use
  return registry;
}

std::string defaultAliasFilePath() {
  const std::string data = environmentVariable("ProgramData");
  if (data.empty() || !filePath(data).is_absolute()) {
    throw AliasError(
        "No alias file: set KELVOUPDATE_ALIASES to its absolute path (ProgramData names no "
        "absolute folder)");
  }
  return data + "\\KelvoUpdate\\aliases.ini";
}

}  // namespace kelvo
