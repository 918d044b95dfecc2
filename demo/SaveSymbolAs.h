#pragma once

class QWidget;

namespace varnholt {

namespace qt {
class BarcodeWidget;
}

// Asks for a file name and writes the print-quality symbol of `barcode`'s number there, in
// the format the name's extension gives: .svg, .pdf, .eps or .png. A message box over
// `parent` says so when the extension is none of those or the file cannot be written.
void SaveSymbolAs(QWidget& parent, const qt::BarcodeWidget& barcode);

}  // namespace varnholt
