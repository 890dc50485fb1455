// Descrambling of the secrets the system keeps only in scrambled form.
//
// A scrambled text is one key digit k followed by the secret's characters,
// each raised by 3 * k within its range. A first character that is not a
// digit gives the key 0. Neither routine can fail.
#pragma once

#include <string>
#include <string_view>

namespace kelvo {

// Returns TEXT (UTF-8) descrambled byte by byte, modulo 256, in the ANSI code
// page; the result is converted back to UTF-8. Used for the central login.
std::string DesembaralhaAnsi(std::string_view text);

// Returns TEXT descrambled code unit by code unit, modulo 65536.
std::u16string Desembaralha(std::u16string_view text);

// Returns TEXT (UTF-8) descrambled as UTF-16 code units and converted back to
// UTF-8. Used for the FTP passwords read from the catalogue.
std::string Desembaralha(std::string_view text);

// Returns TEXT scrambled with KEY (0..9), so that the matching routine above
// gives TEXT back. For the deployment tool and the tests.
std::string EmbaralhaAnsi(std::string_view text, int key);
std::u16string Embaralha(std::u16string_view text, int key);

}  // namespace kelvo
