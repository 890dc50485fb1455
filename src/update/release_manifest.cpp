// Reading and writing the release manifest.
#include "update/release_manifest.h"

#include <charconv>
#include <cstdio>
#include <set>

#include "platform/hex_text.h"

namespace kelvo {

namespace {

constexpr std::string_view kFirstLine = "kelvo-manifest 1";
constexpr std::size_t kProgramLimit = 20;  // the catalogue's programa column

// Days from 1970-01-01 to the civil date (proleptic Gregorian).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

bool leapYear(std::int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

unsigned daysInMonth(std::int64_t y, unsigned m) {
  static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && leapYear(y) ? 29 : kDays[m - 1];
}

// Returns the number DIGITS spell: decimal, no sign, no leading zero.
std::optional<std::uint64_t> decimal(std::string_view digits) {
  if (digits.empty() || digits.size() > 20 || (digits.size() > 1 && digits[0] == '0')) return {};
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return {};
  return value;
}

std::optional<unsigned> fixedDigits(std::string_view text) {
  unsigned value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return {};
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  return value;
}

bool lowerHexDigits(std::string_view text) {
  for (const char c : text) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

bool validName(std::string_view name) {
  if (name.empty()) return false;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) return false;
  }
  return name.front() != ' ' && name.back() != ' ';
}

bool validProgram(std::string_view program) {
  if (program.empty() || program.size() > kProgramLimit) return false;
  for (const char c : program) {
    const bool letter_or_digit =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (!letter_or_digit && c != '_' && c != '-') return false;
  }
  return true;
}

class ManifestReader {
 public:
  explicit ManifestReader(std::string_view text) : rest_(text) {}

  bool atEnd() const { return rest_.empty(); }

  // Takes the next line; its words after KEYWORD are left in the line.
  std::string_view line() {
    ++number_;
    const std::size_t end = rest_.find('\n');
    if (end == std::string_view::npos) fail("a última linha não termina com LF");
    const std::string_view taken = rest_.substr(0, end);
    rest_.remove_prefix(end + 1);
    return taken;
  }

  // Takes the next line, which must be KEYWORD, a blank and a value.
  std::string_view value(std::string_view keyword) {
    const std::string_view taken = line();
    if (!startsWith(taken, keyword)) fail("esperava \"" + std::string(keyword) + "\"");
    return taken.substr(keyword.size() + 1);
  }

  // Returns true when the next line begins with KEYWORD and a blank.
  bool next(std::string_view keyword) const { return startsWith(rest_, keyword); }

  FileFingerprint fingerprint(std::string_view& words) {
    const std::size_t first = words.find(' ');
    const std::optional<std::uint64_t> size = decimal(words.substr(0, first));
    if (first == std::string_view::npos || !size) fail("tamanho inválido");
    words.remove_prefix(first + 1);
    const std::string_view digest = words.substr(0, 64);
    if (digest.size() != 64 || !lowerHexDigits(digest)) fail("SHA-256 inválido");
    words.remove_prefix(64);
    return {*size, *fromHex(digest)};
  }

  [[noreturn]] void fail(const std::string& what) const {
    throw ManifestError("linha " + std::to_string(number_) + ": " + what);
  }

 private:
  static bool startsWith(std::string_view text, std::string_view keyword) {
    return text.size() > keyword.size() && text.compare(0, keyword.size(), keyword) == 0 &&
           text[keyword.size()] == ' ';
  }

  std::string_view rest_;
  std::size_t number_ = 0;
};

}  // namespace

const ManifestFile* ReleaseManifest::file(std::string_view name) const {
  for (const ManifestFile& entry : files) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

ReleaseManifest parseReleaseManifest(std::string_view text) {
  if (text.size() > kManifestLimit) throw ManifestError("maior que 1 MiB");
  ManifestReader reader(text);
  ReleaseManifest manifest;
  if (reader.line() != kFirstLine) {
    reader.fail("esperava \"" + std::string(kFirstLine) + "\"");
  }
  manifest.program = std::string(reader.value("program"));
  if (!validProgram(manifest.program)) reader.fail("código de programa inválido");
  const std::optional<std::uint64_t> serial = decimal(reader.value("serial"));
  if (!serial) reader.fail("número de série inválido");
  manifest.serial = *serial;
  const std::optional<std::int64_t> expires = parseUtcTime(reader.value("expires"));
  if (!expires) reader.fail("validade inválida (AAAA-MM-DDTHH:MM:SSZ)");
  manifest.expires = *expires;
  std::set<std::string, std::less<>> names;
  while (reader.next("file")) {
    std::string_view words = reader.value("file");
    ManifestFile entry;
    entry.fingerprint = reader.fingerprint(words);
    if (words.empty() || words.front() != ' ') reader.fail("falta o nome do arquivo");
    entry.name = std::string(words.substr(1));
    if (!validName(entry.name)) reader.fail("nome de arquivo inválido");
    if (!names.insert(entry.name).second) reader.fail("arquivo repetido: " + entry.name);
    manifest.files.push_back(std::move(entry));
  }
  if (reader.next("executable")) {
    std::string_view words = reader.value("executable");
    manifest.executable = reader.fingerprint(words);
    if (!words.empty()) reader.fail("texto a mais depois do SHA-256");
  }
  if (!reader.atEnd()) {
    reader.line();
    reader.fail("linha desconhecida");
  }
  return manifest;
}

std::string formatReleaseManifest(const ReleaseManifest& manifest) {
  const auto fingerprint = [](const FileFingerprint& print) {
    return std::to_string(print.size) + " " + toLowerHex(print.sha256);
  };
  std::string text = std::string(kFirstLine) + "\n";
  text += "program " + manifest.program + "\n";
  text += "serial " + std::to_string(manifest.serial) + "\n";
  text += "expires " + utcTimeText(manifest.expires) + "\n";
  for (const ManifestFile& entry : manifest.files) {
    text += "file " + fingerprint(entry.fingerprint) + " " + entry.name + "\n";
  }
  if (manifest.executable) text += "executable " + fingerprint(*manifest.executable) + "\n";
  return text;
}

std::string utcTimeText(std::int64_t seconds) {
  std::int64_t days = seconds / 86400;
  std::int64_t rest = seconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  // Civil date of DAYS since 1970-01-01 (the inverse of daysFromCivil).
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto doe = static_cast<unsigned>(days - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2 ? 1 : 0);
  char text[96];
  std::snprintf(text, sizeof text, "%04lld-%02u-%02uT%02lld:%02lld:%02lldZ",
                static_cast<long long>(y), m, d, static_cast<long long>(rest / 3600),
                static_cast<long long>(rest / 60 % 60), static_cast<long long>(rest % 60));
  return text;
}

std::optional<std::int64_t> parseUtcTime(std::string_view text) {
  // YYYY-MM-DDTHH:MM:SSZ, nothing else.
  if (text.size() != 20 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
      text[16] != ':' || text[19] != 'Z') {
    return std::nullopt;
  }
  const auto year = fixedDigits(text.substr(0, 4));
  const auto month = fixedDigits(text.substr(5, 2));
  const auto day = fixedDigits(text.substr(8, 2));
  const auto hour = fixedDigits(text.substr(11, 2));
  const auto minute = fixedDigits(text.substr(14, 2));
  const auto second = fixedDigits(text.substr(17, 2));
  if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
  if (*year < 1970 || *month < 1 || *month > 12 || *day < 1 || *day > daysInMonth(*year, *month) ||
      *hour > 23 || *minute > 59 || *second > 59) {
    return std::nullopt;
  }
  return daysFromCivil(*year, *month, *day) * 86400 + *hour * 3600 + *minute * 60 + *second;
}

}  // namespace kelvo
