// A build without OpenSSL: it carries no key (CMake refuses keys there), so
// the update checks no signature; keys handed to it all the same are an
// error rather than a check silently skipped.
#include "platform/error.h"
#include "update/release_guard.h"
#include "update/script_signature.h"

namespace kelvo {

namespace {

[[noreturn]] void cannotCheck() {
  throw Error("Esta versão do KelvoUpdate foi gerada sem OpenSSL e não verifica assinaturas.");
}

}  // namespace

std::unique_ptr<ReleaseGuard> makeReleaseGuard(const ReleaseTrust& trust) {
  if (!trust.publicKeys.empty()) cannotCheck();
  return nullptr;
}

bool scriptSignatureValid(const std::vector<std::string>&, std::string_view, std::string_view,
                          std::string_view, std::string_view) {
  cannotCheck();
}

}  // namespace kelvo
