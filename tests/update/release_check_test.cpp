// The checks of a signed manifest and of a signed script, one row per way a
// release or script must be refused, with the message the operator reads.
#include "update/release_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/hex_text.h"
#include "trust/ed25519.h"
#include "update/script_signature.h"

namespace kelvo {
namespace {

using ::testing::HasSubstr;

const std::int64_t kNow = 1801396800;  // 2027-01-31T12:00:00Z

std::string manifestText(const std::string& program, std::uint64_t serial, std::int64_t expires) {
  return formatReleaseManifest(
      {program, serial, expires, {{"a.txt", {1, std::string(32, 'x')}}}, std::nullopt});
}

TEST(ReleaseCheck, OneRowPerRefusal) {
  const Ed25519KeyPair maker = generateEd25519KeyPair();
  const Ed25519KeyPair retired = generateEd25519KeyPair();
  const Ed25519KeyPair stranger = generateEd25519KeyPair();
  const std::string good = manifestText("QUARVESSA", 7, kNow + 1);
  const auto signature = [](const Ed25519KeyPair& key, const std::string& text) {
    return toLowerHex(ed25519Sign(key.secret, text)) + "\n";
  };
  std::string flipped = good;
  flipped[flipped.size() - 3] ^= 1;  // in the file name: still a readable manifest
  const std::string unreadable = "kelvo-manifest 1\nprogram QUARVESSA\n";
  const struct {
    const char* what;
    std::string text, signature;
    std::uint64_t accepted;
    const char* refusal;  // null: admitted
  } cases[] = {
      {"as signed", good, signature(maker, good), 0, nullptr},
      {"the same serial again", good, signature(maker, good), 7, nullptr},
      {"signed by the key being retired", good, signature(retired, good), 0, nullptr},
      {"signature without a line break", good, toLowerHex(ed25519Sign(maker.secret, good)), 0,
       nullptr},
      {"signature ended by CR LF", good, toLowerHex(ed25519Sign(maker.secret, good)) + "\r\n", 0,
       nullptr},
      {"one byte flipped", flipped, signature(maker, good), 0, "Assinatura do manifesto"},
      {"another key", good, signature(stranger, good), 0, "Assinatura do manifesto"},
      {"no signature", good, "", 0, "Assinatura do manifesto"},
      {"signature not hex", good, std::string(128, 'g'), 0, "Assinatura do manifesto"},
      {"signed but unreadable", unreadable, signature(maker, unreadable), 0,
       "Manifesto da atualização ilegível: linha 3"},
      {"another programme", manifestText("OUTRO", 7, kNow + 1),
       signature(maker, manifestText("OUTRO", 7, kNow + 1)), 0,
       "Manifesto da atualização é do programa OUTRO, não de QUARVESSA."},
      {"expired this very second", manifestText("QUARVESSA", 7, kNow),
       signature(maker, manifestText("QUARVESSA", 7, kNow)), 0,
       "Manifesto da atualização expirou em 2027-01-31T12:00:00Z (UTC)."},
      {"an older serial", good, signature(maker, good), 8,
       "Manifesto da atualização é antigo: série 7, esta instalação já aceitou a série 8."},
      {"too long", good + std::string(kManifestLimit, 'x'), signature(maker, good), 0,
       "maior que 1 MiB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const ReleaseExpectation expected{
        {maker.publicKey, retired.publicKey}, "QUARVESSA", kNow, c.accepted};
    if (c.refusal == nullptr) {
      EXPECT_EQ(checkRelease(c.text, c.signature, expected).serial, 7u);
      continue;
    }
    try {
      checkRelease(c.text, c.signature, expected);
      ADD_FAILURE() << "admitted";
    } catch (const ReleaseRefused& refused) {
      EXPECT_THAT(refused.what(), HasSubstr(c.refusal));
    }
  }
}

TEST(ScriptSignature, CoversProgrammeVersionAndEveryByte) {
  const Ed25519KeyPair maker = generateEd25519KeyPair();
  const std::string texto = "insert into t values (1);\r\ncommit work;\r\n";
  const std::string assinatura = toLowerHex(
      ed25519Sign(maker.secret, scriptSignatureMessage("QUARVESSA", "0000000002", texto)));
  const struct {
    const char* what;
    std::string programa, versao, texto, assinatura;
    bool valid;
  } cases[] = {
      {"as signed", "QUARVESSA", "0000000002", texto, assinatura, true},
      {"another programme", "OUTRO", "0000000002", texto, assinatura, false},
      {"another version", "QUARVESSA", "0000000003", texto, assinatura, false},
      {"a line break changed", "QUARVESSA", "0000000002",
       "insert into t values (1);\n"
       "commit work;\r\n",
       assinatura, false},
      {"a byte added", "QUARVESSA", "0000000002", texto + " ", assinatura, false},
      {"no signature", "QUARVESSA", "0000000002", texto, "", false},
      {"not hex", "QUARVESSA", "0000000002", texto, "zz" + assinatura.substr(2), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(scriptSignatureValid({maker.publicKey}, c.programa, c.versao, c.texto, c.assinatura),
              c.valid)
        << c.what;
  }
  // The parts are told apart by their lengths: moving a byte from one to the
  // next makes another message.
  EXPECT_NE(scriptSignatureMessage("AB", "C", ""), scriptSignatureMessage("A", "BC", ""));
  EXPECT_NE(scriptSignatureMessage("A", "1:B", ""), scriptSignatureMessage("A", "1", "B"));
}

}  // namespace
}  // namespace kelvo
