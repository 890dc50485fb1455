// kelvo-sign: the maker's tool that makes keys and signs releases and
// scripts. The secret key stays with the maker; sites carry only the public
// key, built into the updater.
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "key_file.h"
#include "platform/hex_text.h"
#include "release_folder.h"
#include "trust/ed25519.h"
#include "update/archive_step.h"
#include "update/release_check.h"
#include "update/release_keys.h"
#include "update/release_manifest.h"
#include "update/script_signature.h"

namespace {

using namespace kelvo;

constexpr std::string_view kUsage =
    "usage: kelvo-sign keygen SECRET_FILE\n"
    "       kelvo-sign release --key SECRET_FILE --serial N --expires DAYS [--programa P] FOLDER\n"
    "       kelvo-sign script --key SECRET_FILE --programa P --versao V FILE\n"
    "       kelvo-sign verify --public-key HEX [--programa P] FOLDER\n"
    "  keygen   writes a new secret key (mode 0600) and prints its public key\n"
    "  release  writes kelvo-manifest.txt and kelvo-manifest.sig for every file\n"
    "           in FOLDER, valid for DAYS days (programme QUARVESSA by default)\n"
    "  script   prints the signature of the script FILE, for scripts.assinatura\n"
    "  verify   checks FOLDER's manifest, signature and files against HEX\n";

struct Arguments {
  std::map<std::string, std::string, std::less<>> options;
  std::vector<std::string> operands;
};

class UsageError : public Error {
 public:
  using Error::Error;
};

Arguments parseArguments(int argc, char** argv, int first) {
  Arguments arguments;
  for (int i = first; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.size() > 2 && arg.substr(0, 2) == "--") {
      if (i + 1 >= argc) throw UsageError(std::string(arg) + " needs a value");
      arguments.options[std::string(arg.substr(2))] = argv[++i];
    } else {
      arguments.operands.emplace_back(arg);
    }
  }
  return arguments;
}

std::string option(const Arguments& arguments, std::string_view name,
                   std::optional<std::string> fallback = std::nullopt) {
  const auto found = arguments.options.find(name);
  if (found != arguments.options.end()) return found->second;
  if (fallback) return *fallback;
  throw UsageError("--" + std::string(name) + " is missing");
}

std::string operand(const Arguments& arguments) {
  if (arguments.operands.size() != 1) throw UsageError("give exactly one file or folder");
  return arguments.operands.front();
}

std::uint64_t number(const std::string& text, std::string_view what) {
  std::size_t used = 0;
  unsigned long long value = 0;
  try {
    value = std::stoull(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used == 0 || used != text.size() || text[0] == '-') {
    throw UsageError(std::string(what) + " must be a whole number, not '" + text + "'");
  }
  return value;
}

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error("cannot read " + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeWholeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  if (!out) throw Error("cannot write " + path);
}

int keygen(const Arguments& arguments) {
  const Ed25519KeyPair pair = generateEd25519KeyPair();
  sign::writeSecretKey(operand(arguments), pair.secret);
  std::cout << toLowerHex(pair.publicKey) << "\n";
  return 0;
}

int release(const Arguments& arguments) {
  const std::string secret = sign::readSecretKey(option(arguments, "key"));
  const std::uint64_t serial = number(option(arguments, "serial"), "--serial");
  const std::uint64_t days = number(option(arguments, "expires"), "--expires");
  if (days == 0 || days > 3660) throw UsageError("--expires must be 1 to 3660 days");
  const std::string folder = operand(arguments);
  const auto expires =
      static_cast<std::int64_t>(std::time(nullptr)) + static_cast<std::int64_t>(days) * 86400;
  const ReleaseManifest manifest =
      sign::folderManifest(folder, option(arguments, "programa", "QUARVESSA"), serial, expires);
  const std::string text = formatReleaseManifest(manifest);
  const std::filesystem::path base(folder);
  writeWholeFile((base / kManifestName).string(), text);
  writeWholeFile((base / kManifestSignatureName).string(),
                 toLowerHex(ed25519Sign(secret, text)) + "\n");
  std::cout << kManifestName << ": " << manifest.files.size() << " file(s), serial " << serial
            << ", expires " << utcTimeText(expires)
            << (manifest.executable ? ", with the archive's executable" : "") << "\n";
  return 0;
}

int script(const Arguments& arguments) {
  const std::string secret = sign::readSecretKey(option(arguments, "key"));
  const std::string texto = readWholeFile(operand(arguments));
  const std::string message =
      scriptSignatureMessage(option(arguments, "programa"), option(arguments, "versao"), texto);
  std::cout << toLowerHex(ed25519Sign(secret, message)) << "\n";
  return 0;
}

int verify(const Arguments& arguments) {
  const std::vector<std::string> keys = parsePublicKeys(option(arguments, "public-key"));
  const std::filesystem::path folder(operand(arguments));
  const ReleaseExpectation expected{keys, option(arguments, "programa", "QUARVESSA"),
                                    static_cast<std::int64_t>(std::time(nullptr)), 0};
  const ReleaseManifest manifest =
      checkRelease(readWholeFile((folder / kManifestName).string()),
                   readWholeFile((folder / kManifestSignatureName).string()), expected);
  int faults = 0;
  const ReleaseManifest present =
      sign::folderManifest(folder.string(), manifest.program, manifest.serial, manifest.expires);
  for (const ManifestFile& entry : manifest.files) {
    const ManifestFile* found = present.file(entry.name);
    if (found == nullptr || found->fingerprint != entry.fingerprint) {
      std::cout << "differs or missing: " << entry.name << "\n";
      ++faults;
    }
  }
  for (const ManifestFile& entry : present.files) {
    if (manifest.file(entry.name) == nullptr)
      std::cout << "not in the manifest: " << entry.name << "\n";
  }
  if (manifest.executable && present.executable != manifest.executable) {
    std::cout << "differs: " << kMainExecutable << " in " << kArchive << "\n";
    ++faults;
  }
  std::cout << (faults == 0 ? "valid" : "INVALID") << ": serial " << manifest.serial << ", expires "
            << utcTimeText(manifest.expires) << "\n";
  return faults == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "--help" || command == "-h") {
      std::cout << kUsage;
      return 0;
    }
    const Arguments arguments = parseArguments(argc, argv, 2);
    if (command == "keygen") return keygen(arguments);
    if (command == "release") return release(arguments);
    if (command == "script") return script(arguments);
    if (command == "verify") return verify(arguments);
    throw UsageError(command.empty() ? "no command" : "unknown command " + std::string(command));
  } catch (const UsageError& error) {
    std::cerr << "kelvo-sign: " << error.what() << "\n" << kUsage;
    return 2;
  } catch (const std::exception& error) {
    std::cerr << "kelvo-sign: " << error.what() << "\n";
    return 1;
  }
}
