#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/DataCarrier.h"
#include "model/Result.h"
#include "model/Symbology.h"
#include "render/Layout.h"

namespace varnholt::cli {

// Two symbols of one record side by side on a label, as a transition to 2D symbols at the
// till has them: an EAN/UPC symbol of the record's GTIN, and a carrier of its GS1 data.
struct SymbologyPair {
    Symbology linear = Symbology::Ean13;
    DataCarrier carrier = DataCarrier::DataMatrix;
};

// Reads "ean13,datamatrix": a main EAN/UPC symbology, a comma, a GS1 carrier, each by the
// name --symbology takes alone, in any letter case. Refused, of kind Usage, for a name that
// is neither, two of one kind, or the two the other way round.
Result<SymbologyPair> ReadSymbologyPair(std::string_view text);

// The options of a pair's carrier: those of its EAN/UPC symbol, `linear`, but for the carrier
// and without the EAN/UPC symbol's bar height; refused as Review refuses them.
Result<render::ReviewedOptions> CarrierOptionsOf(const render::Options& linear,
                                                 DataCarrier carrier);

// Every pair by its names, "ean13,gs1-128" to "upce,qr": what a shell may complete.
std::vector<std::string> PairNames();

}  // namespace varnholt::cli
