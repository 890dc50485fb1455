// The application's title, caption of every plain message box.
#pragma once

namespace kelvo {

inline constexpr const char* kApplicationTitle = "KelvoUpdate";

}  // namespace kelvo
