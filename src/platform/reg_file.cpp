// Parsing of registry export files: one function per kind of line.
#include "platform/reg_file.h"

#include <algorithm>
#include <cctype>

#include "platform/ascii.h"
#include "platform/codepage.h"
#include "platform/error.h"
#include "platform/text_lines.h"

namespace kelvo {

namespace {

constexpr std::string_view kHeader5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";

bool isHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// Returns the key path without trailing backslashes, for comparing.
std::string keyName(std::string_view path) {
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return upperAscii(path);
}

// Returns the file's text as UTF-8, and whether it is a version 5 file.
std::string decodeContent(std::string_view content, bool& version5) {
  std::string text;
  if (content.size() >= 2 && static_cast<unsigned char>(content[0]) == 0xFF &&
      static_cast<unsigned char>(content[1]) == 0xFE) {
    std::u16string wide;
    for (std::size_t i = 2; i + 1 < content.size(); i += 2) {
      wide += static_cast<char16_t>(static_cast<unsigned char>(content[i]) |
                                    (static_cast<unsigned char>(content[i + 1]) << 8));
    }
    text = utf16ToUtf8(wide);
  } else if (content.starts_with("\xEF\xBB\xBF")) {
    text = std::string(content.substr(3));
  } else {
    text = std::string(content);
  }
  version5 = !text.starts_with(kHeader4);
  if (!version5) text = ansiToUtf8(text);
  return text;
}

class Parser {
 public:
  Parser(const std::string& origin, int line) : origin_(origin), line_(line) {}

  [[noreturn]] void fail(const std::string& reason) const {
    throw Error("Registry file " + origin_ + ", line " + std::to_string(line_) + ": " + reason);
  }

  // Reads a quoted string at TEXT[POS] ('"' there), undoing \\ and \" escapes.
  std::string quoted(std::string_view text, std::size_t& pos) const {
    std::string result;
    for (++pos; pos < text.size(); ++pos) {
      if (text[pos] == '"') {
        ++pos;
        return result;
      }
      if (text[pos] == '\\' && pos + 1 < text.size()) ++pos;
      result += text[pos];
    }
    fail("unterminated quoted text");
  }

  // Reads comma-separated hexadecimal bytes ("01,ab,00").
  std::vector<unsigned char> hexBytes(std::string_view text) const {
    std::vector<unsigned char> bytes;
    text = trimBlanksAndTabs(text);
    if (text.empty()) return bytes;
    std::size_t start = 0;
    while (true) {
      const std::size_t comma = text.find(',', start);
      const std::string_view item = trimBlanksAndTabs(text.substr(start, comma - start));
      if (item.empty() || item.size() > 2 || !std::all_of(item.begin(), item.end(), isHex)) {
        fail("malformed hexadecimal byte '" + std::string(item) + "'");
      }
      bytes.push_back(static_cast<unsigned char>(std::stoul(std::string(item), nullptr, 16)));
      if (comma == std::string_view::npos) return bytes;
      start = comma + 1;
    }
  }

  // Reads the data after '=': "text", dword:, hex:, hex(N):.
  RegFileValue data(std::string_view text) const {
    RegFileValue value;
    text = trimBlanksAndTabs(text);
    if (text.starts_with('"')) {
      std::size_t pos = 0;
      value.text = quoted(text, pos);
      if (!trimBlanksAndTabs(text.substr(pos)).empty()) fail("text after the closing quote");
      return value;
    }
    if (text.starts_with("dword:")) {
      const std::string_view digits = text.substr(6);
      if (digits.empty() || digits.size() > 8 ||
          !std::all_of(digits.begin(), digits.end(), isHex)) {
        fail("malformed dword '" + std::string(digits) + "'");
      }
      value.type = RegFileValue::Type::Dword;
      value.dword = static_cast<std::uint32_t>(std::stoul(std::string(digits), nullptr, 16));
      return value;
    }
    if (text.starts_with("hex:")) {
      value.type = RegFileValue::Type::Binary;
      value.bytes = hexBytes(text.substr(4));
      return value;
    }
    if (text.starts_with("hex(")) {
      const std::size_t close = text.find("):");
      if (close == std::string_view::npos) fail("malformed hex(N): type");
      const std::string type(text.substr(4, close - 4));
      // A type is 32 bits: more digits would overflow the conversion.
      if (type.empty() || type.size() > 8 || !std::all_of(type.begin(), type.end(), isHex)) {
        fail("malformed hex(N): type");
      }
      value.type = std::stoul(type, nullptr, 16) == 2 ? RegFileValue::Type::ExpandString
                                                      : RegFileValue::Type::Other;
      value.bytes = hexBytes(text.substr(close + 2));
      return value;
    }
    fail("unknown value data '" + std::string(text) + "'");
  }

 private:
  const std::string& origin_;
  int line_;
};

}  // namespace

const RegFileValue* RegFileKey::find(std::string_view name) const {
  for (const RegFileValue& value : values) {
    if (equalsNoCase(value.name, name)) return &value;
  }
  return nullptr;
}

RegFileKey& RegFile::keyFor(const std::string& path) {
  const std::string name = keyName(path);
  for (RegFileKey& key : keys_) {
    if (keyName(key.path) == name) return key;
  }
  keys_.push_back(RegFileKey{path, {}});
  return keys_.back();
}

void RegFile::removeKey(const std::string& path) {
  const std::string name = keyName(path);
  std::erase_if(keys_, [&](const RegFileKey& key) {
    const std::string other = keyName(key.path);
    return other == name || other.starts_with(name + "\\");
  });
}

const RegFileKey* RegFile::findKey(std::string_view path) const {
  const std::string name = keyName(path);
  for (const RegFileKey& key : keys_) {
    if (keyName(key.path) == name) return &key;
  }
  return nullptr;
}

RegFile RegFile::parse(std::string_view content, const std::string& origin) {
  RegFile file;
  const std::string text = decodeContent(content, file.wide_text_);
  const auto lines = splitLines(std::string_view(text));
  bool header_seen = false;
  std::string current_key;
  bool key_deleted = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int line_number = static_cast<int>(i) + 1;
    std::string line(trimBlanksAndTabs(lines[i]));
    // A value's hexadecimal data may continue on the following lines.
    while (line.ends_with('\\') && line.find('=') != std::string::npos &&
           line.find("=\"") == std::string::npos && i + 1 < lines.size()) {
      line.pop_back();
      line += trimBlanksAndTabs(lines[++i]);
    }
    const Parser parser(origin, line_number);
    if (line.empty() || line.starts_with(';')) continue;
    if (!header_seen) {
      if (line != kHeader5 && line != kHeader4) parser.fail("not a registry export file");
      header_seen = true;
      continue;
    }
    if (line.starts_with('[')) {
      if (!line.ends_with(']')) parser.fail("unterminated key name");
      std::string path = line.substr(1, line.size() - 2);
      key_deleted = path.starts_with('-');
      if (key_deleted) {
        file.removeKey(path.substr(1));
      } else {
        file.keyFor(path);
      }
      current_key = path;
      continue;
    }
    if (current_key.empty()) parser.fail("value outside any key");
    std::string name;
    std::size_t pos = 0;
    if (line.starts_with('@')) {
      pos = 1;
    } else if (line.starts_with('"')) {
      name = parser.quoted(line, pos);
    } else {
      parser.fail("expected \"name\"=value");
    }
    const std::string_view rest = trimBlanksAndTabs(std::string_view(line).substr(pos));
    if (!rest.starts_with('=')) parser.fail("expected '=' after the value name");
    if (key_deleted) continue;
    RegFileKey& key = file.keyFor(current_key);
    std::erase_if(key.values, [&](const RegFileValue& v) { return equalsNoCase(v.name, name); });
    if (trimBlanksAndTabs(rest.substr(1)) == "-") continue;  // the value is deleted
    RegFileValue value = parser.data(rest.substr(1));
    value.name = name;
    key.values.push_back(std::move(value));
  }
  return file;
}

}  // namespace kelvo
