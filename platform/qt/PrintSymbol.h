#pragma once

#include <QMimeData>
#include <memory>
#include <optional>
#include <string>

#include "control/Barcode.h"
#include "model/Result.h"
#include "render/FileFormat.h"

namespace varnholt::qt {

// The print-quality symbol of a control's number, as render/ makes it, at the nominal size
// with its quiet zones (and for PNG at render/'s default resolution).
//
// Only a complete number the control calls Valid has one: 13 digits with the right check
// digit. render/ would also take 12 digits and compute the check digit, but a symbol of a
// number the user has not finished typing is not the number the control shows.

// The digits of the control's symbol; nothing while its number is incomplete or not valid.
// Valid is what the control's last paint said, and every change of Value paints.
std::optional<std::string> PrintNumber(const Barcode& control);

// The file bytes of the control's symbol in `format`; refused, with a message, when the
// number has none.
Result<std::string> EncodePrintSymbol(const Barcode& control, render::FileFormat format);

// The symbol as the clipboard carries it: SVG (image/svg+xml) and PNG (image/png), and the
// PNG also as an image for programs that paste only images. Nothing when the number has none.
std::unique_ptr<QMimeData> PrintSymbolMimeData(const Barcode& control);

}  // namespace varnholt::qt
