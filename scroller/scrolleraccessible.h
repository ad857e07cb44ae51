#pragma once

namespace Tovrell {

class Scroller;

// Gives screen readers the Scroller as they can read it: a static text
// (AT-SPI "label") whose name is its whole caption as set, not the moving
// text, animated while it scrolls. A name the host gives it still names it;
// the caption is then its description. Nothing is told as it scrolls; a new
// caption is told once. Installed with the first Scroller, removed when the
// library is unloaded.
void makeReadableToScreenReaders(Scroller &scroller);

// Tells screen readers that the caption, or whether it scrolls, changed.
void tellCaptionChanged(Scroller &scroller);
void tellScrollingChanged(Scroller &scroller);

} // namespace Tovrell
