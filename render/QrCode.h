#pragma once

#include <string_view>

#include "model/ModuleGrid.h"
#include "model/Result.h"

namespace varnholt {

// A QR code's error correction level: about 7, 15, 25 and 30 % of its codewords restorable.
enum class QrErrorCorrection { L, M, Q, H };

// The smallest QR code (versions 1-40) of `level` for text such as a GS1 Digital Link URI, in
// the modes libqrencode picks for it; no FNC1. Refused (ErrorKind::Input) when empty, when it
// holds a NUL byte, or when too long for version 40 at `level`.
Result<ModuleGrid> EncodeQrText(std::string_view text,
                                QrErrorCorrection level = QrErrorCorrection::M);

}  // namespace varnholt
