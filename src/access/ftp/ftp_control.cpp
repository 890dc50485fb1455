// Line and reply handling on the FTP control connection.
#include "access/ftp/ftp_control.h"

#include "platform/codepage.h"

namespace kelvo {

void FtpControl::open(const std::string& address, std::uint16_t port) {
  close();
  stream_.connect(address, port);
}

void FtpControl::close() {
  stream_.close();
  pending_.clear();
}

bool FtpControl::alive() {
  return stream_.isOpen() && (!pending_.empty() || !stream_.peerClosed());
}

void FtpControl::send(const std::string& command) {
  if (command.find_first_of("\r\n") != std::string::npos) {
    throw Error("Invalid line break in FTP command.");
  }
  if (!stream_.isOpen()) throw FtpSocketError(kConnectionClosedGracefully);
  const std::string line = encode(command) + "\r\n";
  try {
    stream_.writeAll(line.data(), line.size());
  } catch (const FtpSocketError&) {
    close();
    throw;
  }
}

std::string FtpControl::readLine() {
  for (;;) {
    const std::size_t end = pending_.find('\n');
    if (end != std::string::npos) {
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return decode(line);
    }
    if (!stream_.isOpen()) throw FtpSocketError(kConnectionClosedGracefully);
    char buffer[4096];
    std::size_t count = 0;
    try {
      count = stream_.readSome(buffer, sizeof buffer);
    } catch (const FtpSocketError&) {
      close();
      throw;
    }
    if (count == 0) {
      close();
      throw FtpSocketError(kConnectionClosedGracefully);
    }
    pending_.append(buffer, count);
  }
}

FtpReply FtpControl::readReply() {
  FtpReply reply;
  reply.lines.push_back(readLine());
  reply.code = ftpReplyCode(reply.lines.front());
  if (opensMultiLineFtpReply(reply.lines.front())) {
    do {
      reply.lines.push_back(readLine());
    } while (!endsFtpReply(reply.lines.back(), reply.code));
  }
  if (reply.code == 421) {
    // The server is going away: no QUIT, no further reads.
    close();
    throw FtpReplyError(reply.code, reply.text());
  }
  return reply;
}

bool FtpControl::replyWithin(int milliseconds) {
  return !pending_.empty() || stream_.waitReadable(milliseconds);
}

FtpReply FtpControl::command(const std::string& command) {
  send(command);
  return readReply();
}

FtpReply FtpControl::command(const std::string& text, std::initializer_list<int> accepted) {
  FtpReply reply = command(text);
  requireFtpReply(reply, accepted);
  return reply;
}

std::string FtpControl::decode(std::string_view bytes) const {
  if (utf8_) return std::string(bytes);
  std::string text;
  text.reserve(bytes.size());
  for (const char byte : bytes) appendUtf8(text, static_cast<unsigned char>(byte));
  return text;
}

std::string FtpControl::encode(std::string_view text) const {
  if (utf8_) return std::string(text);
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t c = decodeUtf8(text, pos);
    bytes += c <= 0xFF ? static_cast<char>(c) : '?';
  }
  return bytes;
}

}  // namespace kelvo
