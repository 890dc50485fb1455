// Reading and writing the secret key file.
#include "key_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <optional>
#include <sstream>

#include "platform/error.h"
#include "platform/files.h"
#include "platform/hex_text.h"
#include "trust/ed25519.h"

namespace kelvo::sign {

void writeSecretKey(const std::string& path, const std::string& secret) {
  // Created exclusively with the owner's permissions alone: the key is never
  // readable by anyone else, not even for a moment.
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0600);
  if (fd < 0) throw Error("cannot create " + path + ": " + errorNumberMessage(errno));
  const std::string text = toLowerHex(secret) + "\n";
  const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  const int reason = errno;
  if (fsync(fd) != 0 || close(fd) != 0 || !written) {
    unlink(path.c_str());
    throw Error("cannot write " + path + ": " + errorNumberMessage(reason));
  }
}

std::string readSecretKey(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error("cannot read " + path + ": " + errorNumberMessage(errno));
  std::string line;
  std::getline(in, line);
  const std::optional<std::string> secret = fromHex(line);
  if (!secret || secret->size() != kEd25519KeySize) {
    throw Error(path + " holds no secret key (64 hexadecimal digits)");
  }
  return *secret;
}

}  // namespace kelvo::sign
