// libFuzzer target: any bytes as a signed manifest's text. The parse may
// raise only ManifestError; what it accepts must be written back byte for
// byte, since the signed text is read in one way only.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "update/release_manifest.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  kelvo::ReleaseManifest manifest;
  try {
    manifest = kelvo::parseReleaseManifest(text);
  } catch (const kelvo::ManifestError&) {
    return 0;
  }
  if (kelvo::formatReleaseManifest(manifest) != text) std::abort();
  for (const kelvo::ManifestFile& file : manifest.files) {
    if (file.fingerprint.sha256.size() != 32 || manifest.file(file.name) != &file) std::abort();
  }
  return 0;
}
