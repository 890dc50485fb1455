// What the platforms' link-free folders share: owning the open folder.
#include "platform/link_free_folder.h"

#include <utility>

namespace kelvo {

LinkFreeFolder::~LinkFreeFolder() { release(); }

LinkFreeFolder::LinkFreeFolder(LinkFreeFolder&& other) noexcept
    : path_(std::move(other.path_)), handle_(std::exchange(other.handle_, -1)) {}

LinkFreeFolder& LinkFreeFolder::operator=(LinkFreeFolder&& other) noexcept {
  if (this != &other) {
    release();
    path_ = std::move(other.path_);
    handle_ = std::exchange(other.handle_, -1);
  }
  return *this;
}

}  // namespace kelvo
