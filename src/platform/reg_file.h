// The registry editor's export format (.reg): keys in brackets, then
// "name"=value lines. The POSIX registry reads its stand-in file with it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

// One value as the file writes it.
struct RegFileValue {
  enum class Type { String, ExpandString, Dword, Binary, Other };

  std::string name;  // "" for the default value ("@")
  Type type = Type::String;
  std::string text;                  // String: the unescaped text (UTF-8)
  std::uint32_t dword = 0;           // Dword
  std::vector<unsigned char> bytes;  // ExpandString, Binary, Other: the raw bytes
};

struct RegFileKey {
  std::string path;  // "HKEY_LOCAL_MACHINE\Software\..." as first written
  std::vector<RegFileValue> values;

  // Returns the value NAME (letter case ignored), or null.
  const RegFileValue* find(std::string_view name) const;
};

class RegFile {
 public:
  // Parses CONTENT, the bytes of a .reg file: UTF-16LE with its byte-order
  // mark or UTF-8 ("Windows Registry Editor Version 5.00"), or ANSI
  // ("REGEDIT4"). Throws Error naming ORIGIN and the line of a malformed
  // entry.
  static RegFile parse(std::string_view content, const std::string& origin);

  // Returns the key PATH (letter case ignored, root written in full), or null.
  const RegFileKey* findKey(std::string_view path) const;

  // Returns true when expandable text is stored as UTF-16 (version 5 files).
  bool wideText() const { return wide_text_; }

 private:
  RegFileKey& keyFor(const std::string& path);
  void removeKey(const std::string& path);

  std::vector<RegFileKey> keys_;
  bool wide_text_ = true;
};

}  // namespace kelvo
