#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/Result.h"
#include "model/gs1/Reading.h"

namespace varnholt::gs1 {

// The separator after data whose length varies, where the carrier has an FNC1 within its data.
inline constexpr char kGroupSeparator = '\x1D';

// The symbols that carry GS1 data, each with the symbology identifier a scanner sends first.
enum class Carrier : std::uint8_t { Gs1_128, DataMatrix, QrCode, DataBar };

// The identifier of each carrier, in the order of Carrier.
inline constexpr std::array<std::string_view, 4> kSymbologyIdentifiers{"]C1", "]d2", "]Q3", "]e0"};

// Reads what a scanner sends for a GS1 symbol: a symbology identifier of kSymbologyIdentifiers,
// then AIs and their data, a GS after data whose length varies unless it ends the text.
// Refuses another identifier, text where no AI starts, and every fault of the data.
Result<Reading> ReadScannerData(std::string_view text, const ReadOptions& options = {});
// The same read into `reading`, which is cleared first; what it holds after a refusal is of no
// use.
Result<Done> ReadScannerDataInto(std::string_view text, Reading& reading,
                                 const ReadOptions& options = {});

// The element string a symbol encodes after its leading FNC1: AIs and data, a GS after each
// AI's data whose length GS1 does not fix unless it is last. The AIs of fixed length go first
// where that saves a separator; otherwise the reading's order is kept.
std::string ElementString(const Reading& reading);

// The element string as a scanner sends it from `carrier`, behind its symbology identifier.
std::string ScannerData(const Reading& reading, Carrier carrier);

}  // namespace varnholt::gs1
