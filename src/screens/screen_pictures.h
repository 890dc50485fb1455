// Access to the screens' pictures, compiled into the program as resources.
#pragma once

namespace kelvo {

// Registers the pictures resource; needed once because the screens live in a
// static library whose resource initialiser the linker would otherwise drop.
void ensureScreenPictures();

}  // namespace kelvo
