// The build's trust anchors.
#include "update/release_keys.h"

#include <optional>

#include "platform/error.h"
#include "platform/hex_text.h"
#include "update/deployment.h"

namespace kelvo {

std::vector<std::string> parsePublicKeys(std::string_view list) {
  std::vector<std::string> keys;
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    std::string_view item = list.substr(0, comma);
    list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
    const std::optional<std::string> key = fromHex(item);
    if (!key || key->size() != 32) {
      throw Error("Chave pública inválida (64 dígitos hexadecimais): \"" + std::string(item) +
                  "\"");
    }
    keys.push_back(*key);
  }
  return keys;
}

const std::vector<std::string>& buildPublicKeys() {
  static const std::vector<std::string> keys = parsePublicKeys(kUpdatePublicKeys);
  return keys;
}

}  // namespace kelvo
