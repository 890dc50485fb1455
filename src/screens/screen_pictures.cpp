// Registers the compiled-in pictures once.
#include "screens/screen_pictures.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initPicturesResource() { Q_INIT_RESOURCE(pictures); }

namespace kelvo {

void ensureScreenPictures() {
  static const bool done = (initPicturesResource(), true);
  (void)done;
}

}  // namespace kelvo
