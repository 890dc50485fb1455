// kelvo-sign as the maker runs it: a key only its owner reads, a release
// folder signed and verified (the executable read from the archive), each
// change to the folder found, and a script's signature the updater accepts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "archiver/archive_writer.h"
#include "platform/hex_text.h"
#include "support/command_output.h"
#include "support/temp_folder.h"
#include "trust/sha256.h"
#include "update/release_check.h"
#include "update/release_keys.h"
#include "update/script_signature.h"

namespace kelvo::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;

std::string tool() {
  return std::string(std::getenv("KELVO_BINARY_DIR")) + "/tools/kelvo-sign/kelvo-sign";
}

std::string quoted(const fs::path& path) { return "'" + path.string() + "'"; }

class KelvoSign : public ::testing::Test {
 protected:
  // Makes a key pair; returns the public key's hex.
  std::string keygen(const std::string& name) {
    const CommandResult made = runCommand(tool() + " keygen " + quoted(folder_.path() / name));
    EXPECT_EQ(made.code, 0) << made.output;
    return made.output.substr(0, made.output.find('\n'));
  }
  CommandResult sign(const std::string& key, const std::string& extra = "") {
    return runCommand(tool() + " release --key " + quoted(folder_.path() / key) +
                      " --serial 12 --expires 30 " + extra + quoted(release_));
  }
  CommandResult verify(const std::string& public_key) {
    return runCommand(tool() + " verify --public-key " + public_key + " " + quoted(release_));
  }

  TempFolder folder_;
  fs::path release_ = folder_.path() / "release";
};

TEST_F(KelvoSign, KeygenWritesAKeyOnlyItsOwnerReadsAndNeverOverwritesOne) {
  const std::string public_key = keygen("maker.key");
  EXPECT_THAT(public_key, MatchesRegex("[0-9a-f]{64}"));
  const fs::path key = folder_.path() / "maker.key";
  EXPECT_EQ(fs::status(key).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  const std::string before = readFile(key);
  const CommandResult again = runCommand(tool() + " keygen " + quoted(key));
  EXPECT_EQ(again.code, 1);
  EXPECT_THAT(again.output, HasSubstr("cannot create"));
  EXPECT_EQ(readFile(key), before);
}

TEST_F(KelvoSign, AReleaseVerifiesUntilItsFolderChanges) {
  const std::string maker = keygen("maker.key");
  const std::string stranger = keygen("stranger.key");
  fs::create_directories(release_);
  writeArchive((release_ / "Sys_Tavrela.rar").string(), {{"Sys_Tavrela.exe", "fresh exe"}});
  folder_.write("release/a b.dll", "dll");
  const CommandResult signed_ = sign("maker.key");
  ASSERT_EQ(signed_.code, 0) << signed_.output;
  EXPECT_THAT(signed_.output, HasSubstr("2 file(s), serial 12"));
  const ReleaseManifest manifest =
      checkRelease(readFile(release_ / kManifestName), readFile(release_ / kManifestSignatureName),
                   {parsePublicKeys(maker), "QUARVESSA", 0, 12});
  EXPECT_EQ(manifest.files.size(), 2u);
  ASSERT_TRUE(manifest.executable);
  EXPECT_EQ(manifest.executable->sha256, sha256Of("fresh exe"));
  EXPECT_EQ(verify(maker).code, 0);

  const struct {
    const char* what;
    std::function<void()> change;
    const char* output;
  } cases[] = {
      {"another key", [] {}, "Assinatura do manifesto"},
      {"a byte flipped", [&] { folder_.write("release/a b.dll", "dlL"); },
       "differs or missing: a b.dll"},
      {"a file removed", [&] { fs::remove(release_ / "a b.dll"); }, "differs or missing: a b.dll"},
      {"another archive",
       [&] {
         writeArchive((release_ / "Sys_Tavrela.rar").string(), {{"Sys_Tavrela.exe", "other exe"}});
       },
       "differs or missing: Sys_Tavrela.rar"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.change();
    const CommandResult checked = verify(&c == cases ? stranger : maker);
    EXPECT_EQ(checked.code, 1);
    EXPECT_THAT(checked.output, HasSubstr(c.output));
  }
  const CommandResult wrong_key = sign("absent.key");
  EXPECT_EQ(wrong_key.code, 1);
}

TEST_F(KelvoSign, AScriptSignatureIsTheOneTheUpdaterChecks) {
  const std::string maker = keygen("maker.key");
  const std::string texto = "CREATE TABLE T (N INTEGER);\r\n\xE7\r\n";
  folder_.write("0001.sql", texto);
  const CommandResult printed =
      runCommand(tool() + " script --key " + quoted(folder_.path() / "maker.key") +
                 " --programa QUARVESSA --versao 0001 " + quoted(folder_.path() / "0001.sql"));
  ASSERT_EQ(printed.code, 0) << printed.output;
  const std::string assinatura = printed.output.substr(0, printed.output.find('\n'));
  EXPECT_TRUE(scriptSignatureValid(parsePublicKeys(maker), "QUARVESSA", "0001", texto, assinatura));
  EXPECT_FALSE(
      scriptSignatureValid(parsePublicKeys(maker), "QUARVESSA", "0002", texto, assinatura));
  EXPECT_EQ(runCommand(tool() + " script --versao 1 x").code, 2);  // no key: usage
}

}  // namespace
}  // namespace kelvo::test
