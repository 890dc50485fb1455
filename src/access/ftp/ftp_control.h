// The control connection of an FTP session: commands out, replies in, in
// the 8-bit encoding (each byte the character of that code) or in UTF-8
// once the server offers it.
#pragma once

#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

#include "access/ftp/ftp_reply.h"
#include "access/ftp/ftp_transport.h"

namespace kelvo {

// Longest reply line and longest whole reply taken from a server. Real
// replies are far below (a greeting banner of some hundred lines is long);
// the limits keep a broken or hostile server from filling our memory.
inline constexpr std::size_t kMaxFtpReplyLine = 64 * 1024;
inline constexpr std::size_t kMaxFtpReply = 1024 * 1024;

class FtpControl {
 public:
  void open(const std::string& address, std::uint16_t port);
  void close();
  bool isOpen() const { return stream_.isOpen(); }
  // Returns true while the connection is open and the server has not closed
  // it. What the server sent meanwhile is taken in: a server that hung up,
  // or said 421 unasked, leaves the connection closed.
  bool alive();

  // Limits each read to MILLISECONDS without a byte (0: no limit); SERVER
  // names the server in the time-out's message.
  void setReadLimit(int milliseconds, std::string server) {
    stream_.setReadLimit(milliseconds, std::move(server));
  }

  // Turns the connection into TLS to HOST, right after the server accepted
  // AUTH TLS. Raises FtpTlsError when the server sent anything more in
  // plain text: that could only be an injection meant for after the
  // handshake.
  void startTls(const FtpTlsConfig& config, const std::string& host);
  // Returns the connection, whose TLS session a data connection reuses.
  const FtpTcpStream& stream() const { return stream_; }

  void setUtf8(bool utf8) { utf8_ = utf8; }
  bool utf8() const { return utf8_; }

  // Sends COMMAND as one line. Raises kelvo::Error for a command holding a
  // line break, which would smuggle a second command to the server.
  void send(const std::string& command);
  // Returns the next reply, read whole. A 421 reply closes the connection
  // at once and raises FtpReplyError. A reply line beyond kMaxFtpReplyLine
  // bytes or a reply beyond kMaxFtpReply bytes closes the connection and
  // raises kelvo::Error.
  FtpReply readReply();
  // Returns the next reply when it arrives whole within MILLISECONDS, else
  // nothing; a part that came is lost then, so the connection is out of step.
  std::optional<FtpReply> readReplyWithin(int milliseconds);
  // Returns true when a reply starts arriving within MILLISECONDS.
  bool replyWithin(int milliseconds);

  // Sends COMMAND and returns its reply, whatever the code.
  FtpReply command(const std::string& command);
  // Sends COMMAND; raises FtpReplyError unless the reply is one of ACCEPTED.
  FtpReply command(const std::string& command, std::initializer_list<int> accepted);

  // Returns the text of the server's bytes as UTF-8 in the current encoding.
  std::string decode(std::string_view bytes) const;
  // Returns the server's bytes of TEXT (UTF-8) in the current encoding.
  std::string encode(std::string_view text) const;

  std::string localAddress() const { return stream_.localAddress(); }
  std::string remoteAddress() const { return stream_.remoteAddress(); }

 private:
  using Deadline = std::optional<std::chrono::steady_clock::time_point>;

  // Returns the next line, or nothing when DEADLINE passed first.
  std::optional<std::string> readLine(const Deadline& deadline);
  std::optional<FtpReply> readReplyUntil(const Deadline& deadline);
  [[noreturn]] void failTooLong(const char* what);

  FtpTcpStream stream_;
  std::string pending_;         // bytes received but not yet returned as lines
  std::size_t scanned_ = 0;     // leading bytes of pending_ known to hold no line break
  std::size_t replyBytes_ = 0;  // bytes of the reply being read, for its limit
  bool utf8_ = false;
};

}  // namespace kelvo
