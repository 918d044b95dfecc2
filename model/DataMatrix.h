#pragma once

#include <string_view>

#include "model/ModuleGrid.h"
#include "model/Result.h"

namespace varnholt {

// The outline of a DataMatrix (ECC 200) symbol.
enum class DataMatrixShape {
    Square,     // 10 x 10 to 144 x 144
    Rectangle,  // 8 x 18 to 16 x 48, or the smallest square when no rectangle holds the data
};

// The smallest GS1 DataMatrix of `shape` for an encoded element string, its data in the fewest
// codewords of DataCodewords: FNC1 first implied, each byte GS (0x1D) encoded as the FNC1 that
// separates two fields. Refused (ErrorKind::Input) when empty, when a byte is above 127, or
// when too long for 144 x 144.
Result<ModuleGrid> EncodeGs1DataMatrix(std::string_view elementString,
                                       DataMatrixShape shape = DataMatrixShape::Square);

// The smallest plain DataMatrix of `shape` for text such as a GS1 Digital Link URI, with no
// FNC1. Refused (ErrorKind::Input) when empty or too long for 144 x 144.
Result<ModuleGrid> EncodeDataMatrixText(std::string_view text,
                                        DataMatrixShape shape = DataMatrixShape::Square);

}  // namespace varnholt
