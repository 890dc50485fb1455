// Ed25519 through libcrypto's EVP interface (one-shot DigestSign and
// DigestVerify, without a digest of its own).
#include "trust/ed25519.h"

#include <openssl/evp.h>

#include <memory>

#include "platform/error.h"

namespace kelvo {

namespace {

struct KeyFree {
  void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct ContextFree {
  void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
using Key = std::unique_ptr<EVP_PKEY, KeyFree>;
using Context = std::unique_ptr<EVP_MD_CTX, ContextFree>;

const unsigned char* bytesOf(std::string_view text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

Key secretKey(std::string_view secret) {
  if (secret.size() != kEd25519KeySize) throw Error("Ed25519: a secret key has 32 bytes");
  Key key(EVP_PKEY_new_raw_private_key(EVP_PKEY_ED25519, nullptr, bytesOf(secret), secret.size()));
  if (!key) throw Error("Ed25519: the secret key cannot be read");
  return key;
}

std::string rawPublicKey(EVP_PKEY* key) {
  std::string raw(kEd25519KeySize, '\0');
  std::size_t size = raw.size();
  if (EVP_PKEY_get_raw_public_key(key, reinterpret_cast<unsigned char*>(raw.data()), &size) != 1 ||
      size != kEd25519KeySize) {
    throw Error("Ed25519: the public key cannot be read");
  }
  return raw;
}

}  // namespace

Ed25519KeyPair generateEd25519KeyPair() {
  Key key(EVP_PKEY_Q_keygen(nullptr, nullptr, "ED25519"));
  if (!key) throw Error("Ed25519: no key could be generated");
  Ed25519KeyPair pair;
  pair.secret.assign(kEd25519KeySize, '\0');
  std::size_t size = pair.secret.size();
  if (EVP_PKEY_get_raw_private_key(key.get(), reinterpret_cast<unsigned char*>(pair.secret.data()),
                                   &size) != 1 ||
      size != kEd25519KeySize) {
    throw Error("Ed25519: the secret key cannot be read");
  }
  pair.publicKey = rawPublicKey(key.get());
  return pair;
}

std::string ed25519PublicKey(std::string_view secret) {
  return rawPublicKey(secretKey(secret).get());
}

std::string ed25519Sign(std::string_view secret, std::string_view message) {
  const Key key = secretKey(secret);
  const Context context(EVP_MD_CTX_new());
  std::string signature(kEd25519SignatureSize, '\0');
  std::size_t size = signature.size();
  if (!context || EVP_DigestSignInit(context.get(), nullptr, nullptr, nullptr, key.get()) != 1 ||
      EVP_DigestSign(context.get(), reinterpret_cast<unsigned char*>(signature.data()), &size,
                     bytesOf(message), message.size()) != 1 ||
      size != kEd25519SignatureSize) {
    throw Error("Ed25519: the message cannot be signed");
  }
  return signature;
}

bool ed25519Verify(std::string_view public_key, std::string_view message,
                   std::string_view signature) {
  if (public_key.size() != kEd25519KeySize || signature.size() != kEd25519SignatureSize) {
    return false;
  }
  const Key key(EVP_PKEY_new_raw_public_key(EVP_PKEY_ED25519, nullptr, bytesOf(public_key),
                                            public_key.size()));
  const Context context(EVP_MD_CTX_new());
  if (!key || !context ||
      EVP_DigestVerifyInit(context.get(), nullptr, nullptr, nullptr, key.get()) != 1) {
    return false;
  }
  return EVP_DigestVerify(context.get(), bytesOf(signature), signature.size(), bytesOf(message),
                          message.size()) == 1;
}

bool signedByAny(const std::vector<std::string>& public_keys, std::string_view message,
                 std::string_view signature) {
  for (const std::string& key : public_keys) {
    if (ed25519Verify(key, message, signature)) return true;
  }
  return false;
}

}  // namespace kelvo
