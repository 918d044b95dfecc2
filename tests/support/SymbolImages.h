#pragma once

#include <string_view>

#include "model/ModuleGrid.h"
#include "tests/support/Decoders.h"

namespace varnholt::test {

// A linear symbol's modules ('1' dark) drawn `pixels` wide a module and `height` pixels tall,
// with `quiet` light modules each side.
GreyImage ImageOfModules(std::string_view modules, int pixels, int height, int quiet);

// A matrix symbol drawn `pixels` a module, with `quiet` light modules on every side.
GreyImage ImageOfGrid(const ModuleGrid& grid, int pixels, int quiet);

}  // namespace varnholt::test
