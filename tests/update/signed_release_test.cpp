// A keyed build against the real update FTP server: a release signed by the
// maker is taken, and each way of tampering with it, on the way or on this
// disk, is refused with its message. One row per attack, over one site.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ctime>
#include <functional>

#include "archiver/archive_writer.h"
#include "platform/hex_text.h"
#include "support/scoped_env.h"
#include "trust/ed25519.h"
#include "trust/sha256.h"
#include "update/file_run_fixture.h"
#include "update/release_manifest.h"
#include "update/release_serial.h"

namespace kelvo::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

const TDateTime kMinute = 1.0 / 1440;
const std::string kFreshExe = "fresh exe";

class SignedReleaseTest : public FileRunTest {
 protected:
  SignedReleaseTest()
      : maker_(generateEd25519KeyPair()),
        config_("KELVOUPDATE_CONFIG", path("etc/kelvoupdate.ini")) {
    publicKeys_ = {maker_.publicKey};
  }

  // The release the maker put on the server, and an older one at this site:
  // a.txt changed, the archive with a fresh executable, serial 5 accepted.
  void setUpRelease() {
    useUpdateServer();
    for (const auto& item : fs::directory_iterator(work_.path())) {
      if (item.path().filename() != "atualiza.cfg") fs::remove_all(item.path());
    }
    serve("a.txt", "new a", base_);
    TempFolder scratch;
    writeArchive((scratch.path() / "a.zip").string(), {{"Sys_Tavrela.exe", kFreshExe}});
    serve("Sys_Tavrela.rar", readFile(scratch.path() / "a.zip"), base_);
    local("a.txt", "old a", base_ - kMinute);
    local("Sys_Tavrela.exe", "previous exe", base_);
    storeAcceptedSerial(*releaseSerialPath(), 5);
  }

  // Signs every served file as kelvo-sign release does.
  void sign(std::uint64_t serial, std::int64_t expires, const Ed25519KeyPair& key,
            const std::string& executable) {
    ReleaseManifest manifest{"QUARVESSA", serial, expires, {}, std::nullopt};
    for (const auto& item : fs::directory_iterator(served("a.txt").parent_path())) {
      const std::string content = readFile(item.path());
      manifest.files.push_back(
          {item.path().filename().string(), {content.size(), sha256Of(content)}});
    }
    manifest.executable = FileFingerprint{executable.size(), sha256Of(executable)};
    const std::string text = formatReleaseManifest(manifest);
    serve(kManifestName, text, base_);
    serve(kManifestSignatureName, toLowerHex(ed25519Sign(key.secret, text)) + "\n", base_);
  }

  Ed25519KeyPair maker_;
  ScopedEnv config_;
};

TEST_F(SignedReleaseTest, TheSignedReleaseIsTakenAndEveryTamperingRefused) {
  const std::int64_t now = std::time(nullptr);
  const Ed25519KeyPair stranger = generateEd25519KeyPair();
  const struct Case {
    const char* what;
    std::uint64_t serial = 6;
    std::int64_t expires = 0;  // seconds from now; 0: a day
    bool stranger = false;
    std::string executable = kFreshExe;      // what the manifest says the archive holds
    std::function<void()> tamper = nullptr;  // after signing
    const char* refusal = nullptr;           // the message that stopped the run before any download
    const char* information = nullptr;       // a download's failure
    const char* message = nullptr;           // another message
    std::string a = "new a";                 // a.txt afterwards
    std::string exe = kFreshExe;             // Sys_Tavrela.exe afterwards ("": none)
    std::uint64_t serial_after = 6;
    bool commandLine = false;  // sizes asked only of fetched files, the type set late
  } cases[] = {
      {.what = "as signed"},
      {.what = "as signed, the command line's way", .commandLine = true},
      {.what = "one byte of a.txt flipped on the way",
       .tamper = [this] { serve("a.txt", "new b", base_); },
       .information = "O arquivo a.txt não confere com o manifesto assinado",
       .a = "old a",
       .exe = "previous exe",
       .serial_after = 5},
      {.what = "one byte of a.txt flipped on the way, the command line's way",
       .tamper = [this] { serve("a.txt", "new b", base_); },
       .information = "O arquivo a.txt não confere com o manifesto assinado",
       .a = "old a",
       .exe = "previous exe",
       .serial_after = 5,
       .commandLine = true},
      {.what = "a longer a.txt on the way",
       .tamper = [this] { serve("a.txt", "new a, and more", base_); },
       .information = "O arquivo a.txt passa do tamanho do manifesto assinado (5 bytes)",
       .a = "old a",
       .exe = "previous exe",
       .serial_after = 5},
      {.what = "a file the manifest does not name",
       .tamper = [this] { serve("atualiza2.cfg", "evil", base_); }},
      {.what = "an older serial",
       .serial = 4,
       .refusal =
           "Manifesto da atualização é antigo: série 4, esta instalação já aceitou a série 5.",
       .a = "old a",
       .exe = "previous exe",
       .serial_after = 5},
      {.what = "expired",
       .expires = -60,
       .refusal = "Manifesto da atualização expirou em",
       .a = "old a",
       .exe = "previous exe",
       .serial_after = 5},
      {.what = "signed by another key",
       .stranger = true,
       .refusal = "Assinatura do manifesto da atualização inválida",
       .a = "old a",
       .exe = "previous exe",
       .serial_after = 5},
      {.what = "no manifest",
       .tamper = [this] { unserve(kManifestName); },
       .refusal = "Manifesto assinado da atualização não obtido (kelvo-manifest.txt)",
       .a = "old a",
       .exe = "previous exe",
       .serial_after = 5},
      {.what = "an archive changed on this disk",
       .tamper =
           [this] {
             local("Sys_Tavrela.rar", "not the signed archive", base_);
             fs::remove(workPath("Sys_Tavrela.exe"));
           },
       .message = "O arquivo Sys_Tavrela.rar desta pasta não confere com o manifesto assinado.",
       .exe = "",
       .serial_after = 5},
      {.what = "an executable in the archive that is not the signed one",
       .executable = "other exe",
       .message = "O executável Sys_Tavrela.exe extraído não confere com o manifesto assinado. A "
                  "cópia anterior Sys_Tavrela.old foi restaurada.",
       .exe = "previous exe",
       .serial_after = 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    setUpRelease();
    sign(c.serial, now + (c.expires == 0 ? 86400 : c.expires), c.stranger ? stranger : maker_,
         c.executable);
    if (c.tamper) c.tamper();
    sizeEveryEntry_ = !c.commandLine;
    const UpdateResult result = run();
    const bool clean = !c.refusal && !c.information && !c.message;
    EXPECT_EQ(view_.statusLine, clean ? kStatusSuccess : kStatusRetry);
    EXPECT_EQ(view_.waitScreens, clean ? 1 : 0);
    if (c.refusal) {
      EXPECT_THAT(result.files.releaseRefusal.value_or(""), HasSubstr(c.refusal));
      EXPECT_THAT(view_.messages, ::testing::ElementsAre(HasSubstr(c.refusal)));
      EXPECT_THAT(view_.downloads, ::testing::IsEmpty());
    } else {
      EXPECT_FALSE(result.files.releaseRefusal) << *result.files.releaseRefusal;
      // Neither the manifest nor a name it does not hold is ever fetched.
      EXPECT_THAT(view_.downloads, ::testing::Not(::testing::Contains(kManifestName)));
      EXPECT_THAT(view_.downloads, ::testing::Not(::testing::Contains("atualiza2.cfg")));
    }
    if (c.information) {
      EXPECT_THAT(view_.informations, ::testing::ElementsAre(HasSubstr(c.information)));
    }
    if (c.message) {
      EXPECT_THAT(view_.messages, ::testing::ElementsAre(c.message));
    }
    EXPECT_EQ(localContent("a.txt"), c.a);
    if (c.exe.empty()) {
      EXPECT_FALSE(fs::exists(workPath("Sys_Tavrela.exe")));
    } else {
      EXPECT_EQ(localContent("Sys_Tavrela.exe"), c.exe);
    }
    EXPECT_FALSE(fs::exists(workPath("atualiza2.cfg")));
    EXPECT_EQ(readAcceptedSerial(*releaseSerialPath()), c.serial_after);
  }
}

}  // namespace
}  // namespace kelvo::test
