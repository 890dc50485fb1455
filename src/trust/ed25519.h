// Ed25519 signatures: the maker signs releases and scripts with a secret
// key, every site checks them against the public keys its build carries.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

inline constexpr std::size_t kEd25519KeySize = 32;  // public key and secret seed
inline constexpr std::size_t kEd25519SignatureSize = 64;

struct Ed25519KeyPair {
  std::string secret;     // the 32-byte seed
  std::string publicKey;  // 32 bytes
};

// Returns a fresh key pair from the system's random source.
Ed25519KeyPair generateEd25519KeyPair();

// Returns the public key of the secret seed SECRET; raises kelvo::Error
// when it is not 32 bytes.
std::string ed25519PublicKey(std::string_view secret);

// Returns the 64-byte signature of MESSAGE by SECRET.
std::string ed25519Sign(std::string_view secret, std::string_view message);

// Returns true when SIGNATURE is PUBLIC_KEY's signature of MESSAGE. Keys and
// signatures of the wrong length are simply not valid.
bool ed25519Verify(std::string_view public_key, std::string_view message,
                   std::string_view signature);

// Returns true when one of PUBLIC_KEYS signed MESSAGE (a build carries more
// than one key while a key is being replaced).
bool signedByAny(const std::vector<std::string>& public_keys, std::string_view message,
                 std::string_view signature);

}  // namespace kelvo
