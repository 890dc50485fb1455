// SHA-256 through libcrypto's EVP interface.
#include "trust/sha256.h"

#include <openssl/evp.h>

#include <cstdio>
#include <vector>

#include "platform/error.h"
#include "platform/files.h"

namespace kelvo {

Sha256::Sha256() : context_(EVP_MD_CTX_new()) {
  if (context_ == nullptr) throw Error("SHA-256: out of memory");
  start();
}

Sha256::~Sha256() { EVP_MD_CTX_free(context_); }

void Sha256::start() {
  if (EVP_DigestInit_ex(context_, EVP_sha256(), nullptr) != 1) {
    throw Error("SHA-256: cannot start the digest");
  }
}

void Sha256::update(std::string_view bytes) {
  if (EVP_DigestUpdate(context_, bytes.data(), bytes.size()) != 1) {
    throw Error("SHA-256: cannot add to the digest");
  }
}

std::string Sha256::finish() {
  std::string digest(kSha256Size, '\0');
  unsigned int size = 0;
  if (EVP_DigestFinal_ex(context_, reinterpret_cast<unsigned char*>(digest.data()), &size) != 1 ||
      size != kSha256Size) {
    throw Error("SHA-256: cannot finish the digest");
  }
  start();
  return digest;
}

std::string sha256Of(std::string_view bytes) {
  Sha256 hasher;
  hasher.update(bytes);
  return hasher.finish();
}

std::optional<std::string> sha256OfFile(const std::string& path) {
  std::FILE* file = openFile(path, "rb");
  if (file == nullptr) return std::nullopt;
  Sha256 hasher;
  std::vector<char> block(64 * 1024);
  std::size_t count = 0;
  while ((count = std::fread(block.data(), 1, block.size(), file)) > 0) {
    hasher.update(std::string_view(block.data(), count));
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return hasher.finish();
}

}  // namespace kelvo
