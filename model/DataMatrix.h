#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "model/ModuleGrid.h"
#include "model/Result.h"

namespace varnholt {

// The outline of a DataMatrix (ECC 200) symbol.
enum class DataMatrixShape {
    Square,     // 10 x 10 to 144 x 144
    Rectangle,  // 8 x 18 to 16 x 48, or the smallest square when no rectangle holds the data
};

// The data codewords of `bytes` in ASCII encodation (ISO/IEC 16022, 5.2.3): two digits in one
// codeword, other bytes one each (two above 127), and, when `gs1`, FNC1 (232) first and for
// each byte GS (0x1D). No padding.
std::vector<std::uint8_t> AsciiCodewords(std::string_view bytes, bool gs1);

// The smallest GS1 DataMatrix of `shape` for an encoded element string: FNC1 first implied,
// each byte GS (0x1D) encoded as the FNC1 that separates two fields. Refused
// (ErrorKind::Input) when empty, when a byte is above 127, or when too long for 144 x 144.
Result<ModuleGrid> EncodeGs1DataMatrix(std::string_view elementString,
                                       DataMatrixShape shape = DataMatrixShape::Square);

// The smallest plain DataMatrix of `shape` for text such as a GS1 Digital Link URI, with no
// FNC1. Refused (ErrorKind::Input) when empty or too long for 144 x 144.
Result<ModuleGrid> EncodeDataMatrixText(std::string_view text,
                                        DataMatrixShape shape = DataMatrixShape::Square);

}  // namespace varnholt
