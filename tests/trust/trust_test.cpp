// SHA-256 and Ed25519 against published answers, and every way a signature
// must fail to verify.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/error.h"
#include "platform/hex_text.h"
#include "support/temp_folder.h"
#include "trust/ed25519.h"
#include "trust/sha256.h"

namespace kelvo {
namespace {

std::string bytes(std::string_view hex) { return fromHex(hex).value(); }

TEST(Sha256, KnownDigestsWholeInPiecesAndFromAFile) {
  const struct {
    std::string text;
    const char* digest;
  } cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {std::string(1000000, 'a'),
       "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  test::TempFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.digest);
    EXPECT_EQ(toLowerHex(sha256Of(c.text)), c.digest);
    Sha256 pieces;
    for (std::size_t i = 0; i < c.text.size(); i += 7777) {
      pieces.update(std::string_view(c.text).substr(i, 7777));
    }
    EXPECT_EQ(toLowerHex(pieces.finish()), c.digest);
    const std::string path = (folder.path() / "f").string();
    std::ofstream(path, std::ios::binary) << c.text;
    EXPECT_EQ(toLowerHex(sha256OfFile(path).value()), c.digest);
  }
  EXPECT_FALSE(sha256OfFile((folder.path() / "absent").string()));
}

TEST(Ed25519, PublishedVectorSignsAndVerifies) {
  // RFC 8032, section 7.1, test 1 (the empty message).
  const std::string secret =
      bytes("9d61b19deffd5a60ba844af492ec2cc44449c5697b326919703bac031cae7f60");
  const std::string expected_public =
      "d75a980182b10ab7d54bfed3c964073a0ee172f3daa62325af021a68f707511a";
  const std::string expected_signature =
      "e5564300c360ac729086e2cc806e828a84877f1eb8e5d974d873e065224901555fb8821590a33bacc61e39701cf9"
      "b46bd25bf5f0595bbe24655141438e7a100b";
  EXPECT_EQ(toLowerHex(ed25519PublicKey(secret)), expected_public);
  EXPECT_EQ(toLowerHex(ed25519Sign(secret, "")), expected_signature);
  EXPECT_TRUE(ed25519Verify(bytes(expected_public), "", bytes(expected_signature)));
}

TEST(Ed25519, OnlyTheRightKeyMessageAndSignatureVerify) {
  const Ed25519KeyPair maker = generateEd25519KeyPair();
  const Ed25519KeyPair other = generateEd25519KeyPair();
  ASSERT_NE(maker.secret, other.secret);
  EXPECT_EQ(ed25519PublicKey(maker.secret), maker.publicKey);
  const std::string message = "kelvo-manifest 1\nprogram QUARVESSA\n";
  const std::string signature = ed25519Sign(maker.secret, message);
  std::string flipped_message = message;
  flipped_message[5] ^= 1;
  std::string flipped_signature = signature;
  flipped_signature[63] ^= 0x80;
  const struct {
    const char* what;
    std::string key, message, signature;
    bool valid;
  } cases[] = {
      {"as signed", maker.publicKey, message, signature, true},
      {"one bit of the message", maker.publicKey, flipped_message, signature, false},
      {"one bit of the signature", maker.publicKey, message, flipped_signature, false},
      {"another key", other.publicKey, message, signature, false},
      {"another key's signature", maker.publicKey, message, ed25519Sign(other.secret, message),
       false},
      {"a short signature", maker.publicKey, message, signature.substr(0, 63), false},
      {"a long signature", maker.publicKey, message, signature + "x", false},
      {"a short key", maker.publicKey.substr(0, 31), message, signature, false},
      {"no signature", maker.publicKey, message, "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ed25519Verify(c.key, c.message, c.signature), c.valid) << c.what;
  }
  // A build carries the old and the new key while one replaces the other.
  EXPECT_TRUE(signedByAny({other.publicKey, maker.publicKey}, message, signature));
  EXPECT_FALSE(signedByAny({other.publicKey}, message, signature));
  EXPECT_FALSE(signedByAny({}, message, signature));
  EXPECT_THROW(ed25519Sign("short", message), Error);
}

}  // namespace
}  // namespace kelvo
