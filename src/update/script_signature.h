// Signed scripts: the maker signs each released script, so that whoever can
// write to the catalogue cannot have other SQL run on the client databases.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

// Returns the bytes a script's signature covers: a fixed tag, then the
// programme code PROGRAMA, the version VERSAO and the script's stored bytes
// TEXTO, each preceded by its length in decimal and a colon, so that no two
// different triples give the same bytes (and no manifest does).
std::string scriptSignatureMessage(std::string_view programa, std::string_view versao,
                                   std::string_view texto);

// Returns true when ASSINATURA (128 hexadecimal digits) is one of
// PUBLIC_KEYS' signature of the script (PROGRAMA, VERSAO, TEXTO). Raises
// kelvo::Error in a build that cannot check signatures.
bool scriptSignatureValid(const std::vector<std::string>& public_keys, std::string_view programa,
                          std::string_view versao, std::string_view texto,
                          std::string_view assinatura);

// The failing script's error when its signature is missing or wrong.
inline constexpr const char* kInvalidScriptSignature =
    "Assinatura do script inválida: o script não foi executado.";

}  // namespace kelvo
