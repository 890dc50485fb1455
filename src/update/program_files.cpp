// Finding the archiver's program-files folder. A 32-bit process on 64-bit
// Windows reads the 32-bit folder ("... (x86)"); the archiver may live in the
// 64-bit one beside it.
#include "update/program_files.h"

#include "platform/ascii.h"
#include "platform/files.h"
#include "platform/native_path.h"
#include "platform/registry.h"

namespace kelvo {

namespace {

// Returns the registry value as text, whatever it holds.
std::string asText(const RegistryValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  return std::to_string(std::get<std::int32_t>(value));
}

}  // namespace

bool archiverInstalled(const std::string& folder) {
  return fileExists(nativePath(folder + kArchiverBelowProgramFiles));
}

std::string programFiles() {
  const std::string folder = asText(
      readRegistryValue(RegistryRoot::LocalMachine,
                        "\\Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir"));
  if (archiverInstalled(folder)) return folder;
  if (const std::size_t x86 = upperAscii(folder).find("(X86)"); x86 != std::string::npos) {
    const std::string shortened(trimBlanks(std::string_view(folder).substr(0, x86)));
    if (archiverInstalled(shortened)) return shortened;
  }
  return folder;
}

}  // namespace kelvo
