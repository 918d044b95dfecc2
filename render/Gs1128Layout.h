#pragma once

#include <string_view>

#include "model/Gs1128.h"
#include "model/Result.h"
#include "render/Layout.h"

namespace varnholt::render {

// The bars of `symbol` into `layout`, whose module, dot grid and carrier are set: the quiet
// zones of kCarrierSizes (unless the options leave them out), the reviewed bar height, `text`
// centred under the bars. Refused (ErrorKind::Input) when the symbol with its quiet zones is
// wider than kWidestGs1128Mm.
Result<Done> PlaceGs1128(Layout& layout, const Gs1128Symbol& symbol, std::string_view text,
                         const ReviewedOptions& reviewed);

}  // namespace varnholt::render
