// The maker's public keys a build trusts, as raw 32-byte keys.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

// Returns the keys of LIST: 64 hexadecimal digits each, separated by commas,
// blanks around them ignored; raises kelvo::Error naming a key that is not
// one. An empty LIST gives no key.
std::vector<std::string> parsePublicKeys(std::string_view list);

// Returns the keys this build was made with (KELVO_UPDATE_PUBLIC_KEYS);
// none in a build that checks no signature.
const std::vector<std::string>& buildPublicKeys();

}  // namespace kelvo
