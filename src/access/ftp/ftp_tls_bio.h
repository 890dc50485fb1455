// The socket under an FTP connection's TLS session, as OpenSSL sees it.
#pragma once

#include <openssl/bio.h>

#include <cstdint>

namespace kelvo {

// Returns a BIO that reads and writes socket FD without ever closing it.
// OpenSSL's own socket BIO writes in a way that raises SIGPIPE on a
// connection the server closed, which would end the process; this one
// reports the failure instead.
BIO* ftpSocketBio(std::intptr_t fd);

}  // namespace kelvo
