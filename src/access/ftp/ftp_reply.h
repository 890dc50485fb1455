// Replies of an FTP server: code and lines, the error a refused command
// raises, and the values read out of particular replies.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/error.h"

namespace kelvo {

struct FtpReply {
  int code = 0;  // 0 when the first line carries no three-digit code
  std::vector<std::string> lines;

  // Returns the lines without their code prefix, each followed by "\n".
  std::string text() const;
  // Returns the first line without its code prefix.
  std::string firstLineText() const;
};

// A reply the command did not accept; the text is the reply's text.
class FtpReplyError : public Error {
 public:
  FtpReplyError(int code, const std::string& text) : Error(text), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

// Returns the code of LINE when it starts with three digits, else 0.
int ftpReplyCode(std::string_view line);

// Returns true when LINE closes a multi-line reply of CODE ("CODE text").
bool endsFtpReply(std::string_view line, int code);

// Returns true when LINE opens a multi-line reply ("CODE-text").
bool opensMultiLineFtpReply(std::string_view line);

// Raises FtpReplyError unless REPLY's code is one of ACCEPTED.
void requireFtpReply(const FtpReply& reply, std::initializer_list<int> accepted);

// Returns the feature lines of a FEAT reply (all lines but the first and the
// last, trimmed) when the code is 211 or 221, else none.
std::vector<std::string> ftpFeatures(const FtpReply& reply);

// Returns true when one of FEATURES starts with the word NAME, in any case.
bool ftpOffers(const std::vector<std::string>& features, std::string_view name);

// Returns the size in a 213 reply to SIZE, or -1.
std::int64_t ftpSizeFromReply(const FtpReply& reply);

struct FtpEndpoint {
  std::string address;  // dotted IPv4
  std::uint16_t port = 0;
};

// Returns the data address of a PASV reply's first line: the six numbers
// between "(" and ")", or after the last blank when there are no brackets.
std::optional<FtpEndpoint> parsePasvReply(std::string_view line);

// Returns true for loopback and private IPv4 addresses.
bool isPrivateIpv4(std::string_view address);

// Returns the address to open a passive data connection to: a private
// address offered by a server reached at a public one is useless to us, so
// the control connection's server address replaces it.
std::string passiveDataAddress(const std::string& offered, const std::string& controlPeer);

}  // namespace kelvo
