// Checking a script's signature.
#include "platform/hex_text.h"
#include "trust/ed25519.h"
#include "update/script_signature.h"

namespace kelvo {

bool scriptSignatureValid(const std::vector<std::string>& public_keys, std::string_view programa,
                          std::string_view versao, std::string_view texto,
                          std::string_view assinatura) {
  const std::optional<std::string> signature = fromHex(assinatura);
  return signature &&
         signedByAny(public_keys, scriptSignatureMessage(programa, versao, texto), *signature);
}

}  // namespace kelvo
