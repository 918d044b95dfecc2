#pragma once

#include <string>
#include <vector>

#include "model/ModuleGrid.h"
#include "render/Layout.h"

namespace varnholt::render {

// The dark modules of a 2D symbol into `layout`, whose module, dot grid and carrier are set:
// each row's runs of dark modules as boxes, `quietModules` of light margin all round (unless
// the options leave them out), then `lines` of text centred under it.
void PlaceMatrix(Layout& layout, const ModuleGrid& modules, int quietModules,
                 const std::vector<std::string>& lines, const ReviewedOptions& reviewed);

}  // namespace varnholt::render
