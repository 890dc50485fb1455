// The signed form of a script.
#include "update/script_signature.h"

namespace kelvo {

std::string scriptSignatureMessage(std::string_view programa, std::string_view versao,
                                   std::string_view texto) {
  std::string message = "kelvo-script 1\n";
  for (const std::string_view part : {programa, versao, texto}) {
    message += std::to_string(part.size()) + ":";
    message += part;
  }
  return message;
}

}  // namespace kelvo
