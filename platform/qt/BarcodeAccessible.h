#pragma once

namespace varnholt::qt {

// Lets screen readers read a BarcodeWidget: its name, and as its value the number and, for
// a complete number, whether it is valid and its country. Safe to call more than once.
void InstallBarcodeAccessibility();

}  // namespace varnholt::qt
