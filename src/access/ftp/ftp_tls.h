// Explicit FTPS: the TLS layer of one FTP connection, on OpenSSL. A build
// without OpenSSL has the same interface and refuses every request for TLS.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/error.h"

namespace kelvo {

// Whether the FTP client speaks TLS to its server, and the CA file that
// the server's certificate must chain to.
struct FtpTlsConfig {
  bool required = false;
  std::string caFile;
};

// True when this build can speak FTPS.
bool ftpTlsBuilt();

// A TLS failure the server or its certificate caused: a refused AUTH TLS, a
// certificate that does not verify or names another host, a failed handshake.
class FtpTlsError : public Error {
 public:
  using Error::Error;
};

// Raises FtpTlsError when CONFIG cannot be used by this build: no OpenSSL,
// or no CA file.
void checkFtpTlsConfig(const FtpTlsConfig& config);

// The TLS session over one non-blocking socket. Each call does what it can
// without waiting and says what it waits for otherwise; the owner waits on
// the socket (with its limits) and calls again.
class FtpTlsLink {
 public:
  enum class Progress { Done, WantRead, WantWrite, Closed };
  // Waits until the socket can be read (WantRead) or written (WantWrite).
  using Wait = std::function<void(Progress)>;

  // Makes the handshake over socket FD as a client of HOST (a name or a
  // dotted address, checked against the certificate; a name is also sent as
  // SNI), trusting CONFIG's CA file. RESUME, when given, is the link whose
  // session this one reuses and whose settings it shares. SERVER names the
  // server in messages. Raises FtpTlsError.
  static std::unique_ptr<FtpTlsLink> connect(std::intptr_t fd, const FtpTlsConfig& config,
                                             const std::string& host, const std::string& server,
                                             const FtpTlsLink* resume, const Wait& wait);
  virtual ~FtpTlsLink() = default;

  // Reads at most SIZE bytes into BUFFER; COUNT is set when Done. Closed:
  // the server ended the session.
  virtual Progress read(char* buffer, std::size_t size, std::size_t& count) = 0;
  // Writes at most SIZE bytes of DATA; COUNT is set when Done.
  virtual Progress write(const char* data, std::size_t size, std::size_t& count) = 0;
  // Returns the count of decrypted bytes that can be read without the socket.
  virtual std::size_t pending() const = 0;
  // Says goodbye to the server without waiting for its answer.
  virtual void shutdown() = 0;
};

}  // namespace kelvo
