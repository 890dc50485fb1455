// The control connection of an FTP session: commands out, replies in, in
// the 8-bit encoding (each byte the character of that code) or in UTF-8
// once the server offers it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "access/ftp/ftp_reply.h"
#include "access/ftp/ftp_transport.h"

namespace kelvo {

class FtpControl {
 public:
  void open(const std::string& address, std::uint16_t port);
  void close();
  bool isOpen() const { return stream_.isOpen(); }
  // Returns true while the connection is open and the server has not closed it.
  bool alive();

  void setUtf8(bool utf8) { utf8_ = utf8; }
  bool utf8() const { return utf8_; }

  // Sends COMMAND as one line. Raises kelvo::Error for a command holding a
  // line break, which would smuggle a second command to the server.
  void send(const std::string& command);
  // Returns the next reply, read whole. A 421 reply closes the connection
  // at once and raises FtpReplyError.
  FtpReply readReply();
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
  std::string readLine();

  FtpTcpStream stream_;
  std::string pending_;  // bytes received but not yet returned as lines
  bool utf8_ = false;
};

}  // namespace kelvo
