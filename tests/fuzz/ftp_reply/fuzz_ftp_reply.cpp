// libFuzzer target: any bytes as what a server sends on the control
// connection. The bytes arrive through a real loopback connection, so the
// reply reader is the one a session uses; every reply is then read the ways
// the client reads replies (text, features, SIZE, PASV). Only kelvo::Error
// may come out, and what is read must stay within the reader's limits.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "access/ftp/ftp_control.h"
#include "access/ftp/ftp_reply.h"

namespace {

// One listening socket for the whole run; each input is one connection.
int listener(std::uint16_t& port) {
  static int fd = -1;
  static std::uint16_t bound = 0;
  if (fd < 0) {
    fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(fd, 4) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      std::abort();
    }
    bound = ntohs(address.sin_port);
  }
  port = bound;
  return fd;
}

void readEveryWay(const kelvo::FtpReply& reply) {
  if (reply.lines.empty() || reply.code < 0 || reply.code > 999) std::abort();
  for (const std::string& line : reply.lines) {
    if (line.size() > kelvo::kMaxFtpReplyLine * 2) std::abort();  // UTF-8 of 8-bit text
  }
  if (reply.text().empty()) std::abort();
  const std::vector<std::string> features = kelvo::ftpFeatures(reply);
  kelvo::ftpOffers(features, "UTF8");
  if (kelvo::ftpSizeFromReply(reply) < -1) std::abort();
  if (const auto endpoint = kelvo::parsePasvReply(reply.firstLineText())) {
    if (endpoint->address.size() > 15) std::abort();
    kelvo::passiveDataAddress(endpoint->address, "203.0.113.7");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint16_t port = 0;
  const int fd = listener(port);
  kelvo::FtpControl control;
  control.open("127.0.0.1", port);
  const int server = accept(fd, nullptr, nullptr);
  if (server < 0) std::abort();
  // The first byte says whether the server offered UTF-8 names.
  if (size > 0) control.setUtf8(data[0] & 1);
  for (std::size_t sent = size > 0 ? 1 : 0; sent < size;) {
    const ssize_t count = write(server, data + sent, size - sent);
    if (count <= 0) std::abort();
    sent += static_cast<std::size_t>(count);
  }
  close(server);
  try {
    for (;;) readEveryWay(control.readReply());
  } catch (const kelvo::Error&) {
    // The server's end closed, a 421, or a reply beyond the limits.
  }
  return 0;
}
