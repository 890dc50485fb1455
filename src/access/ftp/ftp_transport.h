// Blocking IPv4 TCP connections for the FTP client: the control connection,
// data connections, and the listener of active mode. Network failures raise
// FtpSocketError with the texts the operator is shown.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "access/ftp/ftp_tls.h"
#include "platform/error.h"

namespace kelvo {

// Text of a connection the peer closed in an orderly way.
inline constexpr const char* kConnectionClosedGracefully = "Connection Closed Gracefully.";
// Text of an active-mode data connection that never arrived.
inline constexpr const char* kAcceptTimedOut = "Accept timed out.";

// A failure of the network: "Socket Error # N" and the reason on the next
// line, or kConnectionClosedGracefully.
class FtpSocketError : public Error {
 public:
  using Error::Error;
};

// A server that sent nothing for as long as a read may wait: "O servidor FTP
// HOST:PORT não respondeu em N s."
class FtpTimeoutError : public FtpSocketError {
 public:
  FtpTimeoutError(const std::string& server, int milliseconds);
};

// Returns true when HOST is a dotted IPv4 address rather than a name.
bool isNumericIpv4(const std::string& host);

// Returns the first IPv4 address of HOST; raises FtpSocketError.
std::string resolveIpv4(const std::string& host);

class FtpTcpStream {
 public:
  FtpTcpStream();
  ~FtpTcpStream();
  FtpTcpStream(const FtpTcpStream&) = delete;
  FtpTcpStream& operator=(const FtpTcpStream&) = delete;

  // Opens a connection to ADDRESS (dotted IPv4) and PORT.
  void connect(const std::string& address, std::uint16_t port);
  // Limits each read to MILLISECONDS without a byte (0: no limit); SERVER
  // names the server in the time-out's message.
  void setReadLimit(int milliseconds, std::string server);
  // Returns the bytes read into BUFFER (at most SIZE), waiting for at least
  // one; 0 when the peer closed the connection. Raises FtpTimeoutError when
  // nothing came within the read limit, and Interrupted once a stop was
  // requested while it waited.
  std::size_t readSome(char* buffer, std::size_t size);
  void writeAll(const char* data, std::size_t size);
  // Turns the open connection into a TLS client connection to HOST (the
  // handshake waits as a read does): see FtpTlsLink::connect. RESUME is the
  // connection whose TLS session this one reuses (a data connection, the
  // control's). Raises FtpTlsError, FtpTimeoutError or Interrupted.
  void startTls(const FtpTlsConfig& config, const std::string& host,
                const FtpTcpStream* resume = nullptr);
  // Returns the connection's TLS session, or null while it is plain.
  const FtpTlsLink* tls() const;
  // Returns true when something arrives within MILLISECONDS.
  bool waitReadable(int milliseconds);
  // Returns the count of bytes that can be read at once without waiting.
  std::size_t available();
  // Returns true when the peer has closed the connection (checked without
  // waiting and without consuming data).
  bool peerClosed();
  void close();
  bool isOpen() const;
  std::string localAddress() const;
  std::string remoteAddress() const;

 private:
  friend class FtpListener;
  struct Impl;
  // Waits until the socket can be read, in steps that look at a stop
  // request, at most the read limit; raises FtpTimeoutError or Interrupted.
  void awaitReadable();
  void awaitWritable();
  // Waits for what TLS asked for: WantWrite, the socket writable; else readable.
  void awaitTls(FtpTlsLink::Progress progress);
  std::size_t readTls(char* buffer, std::size_t size);

  std::unique_ptr<Impl> impl_;
  int read_limit_ = 0;
  std::string server_;
};

// Listens for the one data connection of an active-mode transfer.
class FtpListener {
 public:
  FtpListener();
  ~FtpListener();
  FtpListener(const FtpListener&) = delete;
  FtpListener& operator=(const FtpListener&) = delete;

  // Listens on ADDRESS at a port the system chooses.
  void open(const std::string& address);
  std::uint16_t port() const;
  // Accepts the connection from address PEER into STREAM, closing any that
  // come from elsewhere; raises kAcceptTimedOut after MILLISECONDS.
  void accept(FtpTcpStream& stream, int milliseconds, const std::string& peer);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kelvo
