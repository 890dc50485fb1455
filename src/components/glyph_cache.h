// Lets the text engine cache the banners' very large glyphs.
#pragma once

namespace kelvo {

// Raises the largest glyph size the text engine keeps in its cache (64 pixels
// by default) so the 64- and 73-pixel banners are not drawn as outlines on
// every change. Call before the application object is created; a value
// already set in the environment wins.
void configureGlyphCache();

}  // namespace kelvo
