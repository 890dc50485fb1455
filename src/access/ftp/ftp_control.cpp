// Line and reply handling on the FTP control connection.
#include "access/ftp/ftp_control.h"

#include <algorithm>
#include <cstdint>

#include "platform/codepage.h"

namespace kelvo {

void FtpControl::open(const std::string& address, std::uint16_t port) {
  close();
  stream_.connect(address, port);
}

void FtpControl::close() {
  stream_.close();
  pending_.clear();
  scanned_ = 0;
}

void FtpControl::startTls(const FtpTlsConfig& config, const std::string& host) {
  if (!pending_.empty() || stream_.available() > 0) {
    close();
    throw FtpTlsError("O servidor FTP enviou dados fora de ordem antes da negociação TLS.");
  }
  try {
    stream_.startTls(config, host);
  } catch (...) {
    close();
    throw;
  }
}

bool FtpControl::alive() {
  if (!stream_.isOpen()) return false;
  try {
    char buffer[4096];
    while (pending_.size() < kMaxFtpReply && stream_.available() > 0) {
      pending_.append(buffer, stream_.readSome(buffer, sizeof buffer));
    }
  } catch (const FtpSocketError&) {
    close();
    return false;
  }
  // A server going away says 421 without being asked and hangs up.
  const std::size_t end = pending_.find('\n');
  if (stream_.peerClosed() || (end != std::string::npos && ftpReplyCode(pending_) == 421)) {
    close();
    return false;
  }
  return true;
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

void FtpControl::failTooLong(const char* what) {
  // The rest of that reply would be read as the next one: the session is
  // out of step and ends here.
  close();
  throw Error(std::string("The FTP server's ") + what + " is too long.");
}

std::optional<std::string> FtpControl::readLine(const Deadline& deadline) {
  for (;;) {
    const std::size_t end = pending_.find('\n', scanned_);
    if (end != std::string::npos) {
      if (end > kMaxFtpReplyLine) failTooLong("reply line");
      replyBytes_ += end + 1;
      if (replyBytes_ > kMaxFtpReply) failTooLong("reply");
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      scanned_ = 0;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return decode(line);
    }
    scanned_ = pending_.size();
    if (scanned_ > kMaxFtpReplyLine) failTooLong("reply line");
    if (!stream_.isOpen()) throw FtpSocketError(kConnectionClosedGracefully);
    if (deadline) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          *deadline - std::chrono::steady_clock::now());
      if (!stream_.waitReadable(static_cast<int>(std::max<std::int64_t>(left.count(), 0)))) {
        return std::nullopt;
      }
    }
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

std::optional<FtpReply> FtpControl::readReplyUntil(const Deadline& deadline) {
  replyBytes_ = 0;
  FtpReply reply;
  std::optional<std::string> line = readLine(deadline);
  if (!line) return std::nullopt;
  reply.lines.push_back(std::move(*line));
  reply.code = ftpReplyCode(reply.lines.front());
  if (opensMultiLineFtpReply(reply.lines.front())) {
    do {
      line = readLine(deadline);
      if (!line) return std::nullopt;
      reply.lines.push_back(std::move(*line));
    } while (!endsFtpReply(reply.lines.back(), reply.code));
  }
  if (reply.code == 421) {
    // The server is going away: no QUIT, no further reads.
    close();
    throw FtpReplyError(reply.code, reply.text());
  }
  return reply;
}

FtpReply FtpControl::readReply() { return *readReplyUntil(std::nullopt); }

std::optional<FtpReply> FtpControl::readReplyWithin(int milliseconds) {
  return readReplyUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds));
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
