// The registry on POSIX: a .reg file stands in for it, read on every call so
// that a changed file is seen at once.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/codepage.h"
#include "platform/reg_file.h"
#include "platform/registry.h"

namespace kelvo {

namespace {

const char* rootName(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::ClassesRoot:
      return "HKEY_CLASSES_ROOT";
    case RegistryRoot::CurrentUser:
      return "HKEY_CURRENT_USER";
    case RegistryRoot::LocalMachine:
      return "HKEY_LOCAL_MACHINE";
    case RegistryRoot::Users:
      return "HKEY_USERS";
    case RegistryRoot::CurrentConfig:
      return "HKEY_CURRENT_CONFIG";
  }
  return "";
}

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

[[noreturn]] void raise(int code, const std::string& detail = "") {
  const std::string text = registryErrorMessage(code);
  throw RegistryError(code, detail.empty() ? text : text + "\n" + detail);
}

RegFile loadRegistryFile() {
  const std::string path = registryFilePath();
  std::ifstream in(path, std::ios::binary);
  // A missing stand-in holds no key: no key can be opened. The path is added
  // so that whoever set up the machine knows which file was looked for.
  if (!in) raise(kErrorFileNotFound, "(registry file " + path + ")");
  std::ostringstream content;
  content << in.rdbuf();
  return RegFile::parse(content.str(), path);
}

// Returns the UTF-16LE bytes BYTES as UTF-8, up to the first NUL.
std::string wideBytesText(const std::vector<unsigned char>& bytes) {
  std::u16string wide;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto unit = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    if (unit == 0) break;
    wide += unit;
  }
  return utf16ToUtf8(wide);
}

std::string bytesText(const std::vector<unsigned char>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

// Returns the ANSI bytes BYTES as UTF-8, up to the first NUL.
std::string ansiBytesText(const std::vector<unsigned char>& bytes) {
  const std::string text = bytesText(bytes);
  return ansiToUtf8(text.substr(0, text.find('\0')));
}

}  // namespace

std::string registryErrorMessage(int code) {
  switch (code) {
    case 2:
      return "The system cannot find the file specified.";
    case 3:
      return "The system cannot find the path specified.";
    case 5:
      return "Access is denied.";
    case 1009:
      return "The configuration registry database is corrupt.";
    case 1010:
      return "The configuration registry key is invalid.";
    case 1011:
      return "The configuration registry key could not be opened.";
    case 1012:
      return "The configuration registry key could not be read.";
    case 1013:
      return "The configuration registry key could not be written.";
  }
  return "System Error.  Code: " + std::to_string(code) + ".";
}

std::string registryFilePath() {
  if (std::string path = environment("KELVOUPDATE_REGISTRY"); !path.empty()) return path;
  if (std::string config = environment("XDG_CONFIG_HOME"); !config.empty()) {
    return config + "/kelvoupdate/registry.reg";
  }
  if (std::string home = environment("HOME"); !home.empty()) {
    return home + "/.config/kelvoupdate/registry.reg";
  }
  throw Error(
      "Cannot locate the registry file: set KELVOUPDATE_REGISTRY (or XDG_CONFIG_HOME or HOME)");
}

RegistryValue readRegistryValue(RegistryRoot root, std::string_view key_path,
                                std::string_view value_name) {
  const RegFile file = loadRegistryFile();
  std::string path = rootName(root);
  while (key_path.starts_with('\\')) key_path.remove_prefix(1);
  if (!key_path.empty()) path += "\\" + std::string(key_path);
  const RegFileKey* key = file.findKey(path);
  if (key == nullptr) raise(kErrorFileNotFound);
  const RegFileValue* value = key->find(value_name);
  if (value == nullptr) raise(kErrorCantRead);
  switch (value->type) {
    case RegFileValue::Type::String:
      return value->text;
    case RegFileValue::Type::ExpandString:
      return file.wideText() ? wideBytesText(value->bytes) : ansiBytesText(value->bytes);
    case RegFileValue::Type::Dword:
      return static_cast<std::int32_t>(value->dword);
    case RegFileValue::Type::Binary:
      return ansiToUtf8(bytesText(value->bytes));
    case RegFileValue::Type::Other:
      break;
  }
  raise(kErrorCantRead);
}

}  // namespace kelvo
