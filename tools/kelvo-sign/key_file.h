// The maker's secret key file: the 32-byte Ed25519 seed in hex on one line,
// readable by its owner only.
#pragma once

#include <string>

namespace kelvo::sign {

// Writes SECRET to the new file PATH with mode 0600; raises kelvo::Error
// when PATH exists or cannot be written, so no key is ever overwritten.
void writeSecretKey(const std::string& path, const std::string& secret);

// Returns the secret key of the file PATH; raises kelvo::Error when it
// cannot be read or holds no key.
std::string readSecretKey(const std::string& path);

}  // namespace kelvo::sign
