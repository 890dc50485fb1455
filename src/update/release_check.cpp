// Checking a release manifest.
#include "update/release_check.h"

#include "platform/hex_text.h"
#include "trust/ed25519.h"

namespace kelvo {

std::optional<std::string> readSignatureText(std::string_view text) {
  if (text.size() >= 1 && text.back() == '\n') text.remove_suffix(1);
  if (text.size() >= 1 && text.back() == '\r') text.remove_suffix(1);
  if (text.size() != 2 * kEd25519SignatureSize) return std::nullopt;
  return fromHex(text);
}

ReleaseManifest checkRelease(std::string_view text, std::string_view signature,
                             const ReleaseExpectation& expected) {
  if (text.size() > kManifestLimit || signature.size() > kManifestLimit) {
    throw ReleaseRefused("Manifesto da atualização recusado: maior que 1 MiB.");
  }
  const std::optional<std::string> bytes = readSignatureText(signature);
  if (!bytes || !signedByAny(expected.publicKeys, text, *bytes)) {
    throw ReleaseRefused(
        "Assinatura do manifesto da atualização inválida: os arquivos não vêm do fabricante.");
  }
  ReleaseManifest manifest;
  try {
    manifest = parseReleaseManifest(text);
  } catch (const ManifestError& error) {
    throw ReleaseRefused(std::string("Manifesto da atualização ilegível: ") + error.what() + ".");
  }
  if (manifest.program != expected.program) {
    throw ReleaseRefused("Manifesto da atualização é do programa " + manifest.program +
                         ", não de " + expected.program + ".");
  }
  if (manifest.expires <= expected.now) {
    throw ReleaseRefused("Manifesto da atualização expirou em " + utcTimeText(manifest.expires) +
                         " (UTC).");
  }
  if (manifest.serial < expected.acceptedSerial) {
    throw ReleaseRefused("Manifesto da atualização é antigo: série " +
                         std::to_string(manifest.serial) + ", esta instalação já aceitou a série " +
                         std::to_string(expected.acceptedSerial) + ".");
  }
  return manifest;
}

}  // namespace kelvo
