#pragma once

#include <string_view>

#include "model/Result.h"
#include "render/Layout.h"

namespace varnholt::render {

// Lays out GS1 data as the carrier `reviewed` asks for (Options::gs1). `data` is an element
// string in brackets, "(01)09506000134352(17)271231", or a Digital Link URI,
// "https://id.gs1.org/01/09506000134352?17=271231"; its AIs are checked as they are read.
// - GS1-128: the element string after an implied FNC1 (a URI's AIs as their element string),
//   10 modules of quiet zone each side, the human-readable text "(01) 09506000134352 ..."
//   under the bars; refused when it needs more than 48 data characters or comes to more than
//   165.1 mm with its quiet zones.
// - DataMatrix: the element string after an implied FNC1, or a URI as plain text; a module of
//   quiet zone all round, the human-readable text under it, an AI a line.
// - QR Code: the URI as plain text; an element string becomes its Digital Link URI at the
//   options' stem, which the layout's note says. Four modules of quiet zone all round.
// Refused (ErrorKind::Input) for data that is not GS1's and for data too long for the symbol.
Result<Layout> LayOutCarrier(std::string_view data, const ReviewedOptions& reviewed);

}  // namespace varnholt::render
