#pragma once

#include "render/Layout.h"

namespace varnholt::render {

// The EAN/UPC symbol `linear` with the GS1 carrier `carrier` right of it in one picture, as
// packs carry both while tills move to 2D symbols: their quiet zones adjoin, and the shorter
// is centred on the taller, on a whole dot at a resolution (both must be laid out at one).
// The picture is `linear`'s, marked as a pair, with the carrier's `carrier` and `data`.
Layout Beside(Layout linear, Layout carrier);

}  // namespace varnholt::render
