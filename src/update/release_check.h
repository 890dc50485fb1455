// The checks of a fetched manifest and its signature, in the order that
// keeps unsigned text from ever being interpreted: size, signature, form,
// programme, expiry, serial.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/error.h"
#include "update/release_manifest.h"

namespace kelvo {

// A release the checks refuse; the message says which check, in the
// operator's language.
class ReleaseRefused : public Error {
 public:
  using Error::Error;
};

// What the manifest must agree with.
struct ReleaseExpectation {
  std::vector<std::string> publicKeys;  // raw Ed25519 keys
  std::string program;
  std::int64_t now = 0;              // seconds since 1970, UTC
  std::uint64_t acceptedSerial = 0;  // the last serial this site accepted
};

// Returns the manifest of TEXT when SIGNATURE (64 bytes in hex, one line
// break allowed after it) is one of the keys' signature of TEXT and the
// manifest is EXPECTED's programme, not expired and not older than the
// accepted serial; raises ReleaseRefused otherwise.
ReleaseManifest checkRelease(std::string_view text, std::string_view signature,
                             const ReleaseExpectation& expected);

// Returns the signature file's 64 bytes, or nothing when TEXT is not 128
// hexadecimal digits (a final LF or CR LF allowed).
std::optional<std::string> readSignatureText(std::string_view text);

}  // namespace kelvo
