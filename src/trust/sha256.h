// SHA-256 of data that arrives in pieces (a download as it is written, a
// file read block by block).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

struct evp_md_ctx_st;  // libcrypto's digest context

namespace kelvo {

inline constexpr std::size_t kSha256Size = 32;

class Sha256 {
 public:
  Sha256();
  ~Sha256();
  Sha256(const Sha256&) = delete;
  Sha256& operator=(const Sha256&) = delete;

  void update(std::string_view bytes);
  // Returns the digest (32 bytes) of everything given so far; the hasher
  // starts afresh afterwards.
  std::string finish();

 private:
  void start();
  evp_md_ctx_st* context_;
};

// Returns the digest of BYTES.
std::string sha256Of(std::string_view bytes);

// Returns the digest of the file PATH, or nothing when it cannot be read.
std::optional<std::string> sha256OfFile(const std::string& path);

}  // namespace kelvo
