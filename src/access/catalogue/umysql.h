// The central catalogue login, stored only in scrambled form.
#pragma once

#include <string>

namespace kelvo {

// Returns the scrambled user name of the central catalogue login (UTF-8);
// DesembaralhaAnsi gives the plain name.
std::string UsuarioMySQL();

// Returns the scrambled password of the central catalogue login (UTF-8);
// DesembaralhaAnsi gives the plain password.
std::string SenhaMySQL();

}  // namespace kelvo
