#pragma once

#include <string>
#include <string_view>

#include "model/Result.h"
#include "model/gs1/Reading.h"

namespace varnholt::gs1 {

// Reads GS1 data in brackets, "(01)09506000134352(17)271231(10)AB-123", where "\(" stands for
// a bracket within data. Refuses text that is not AIs in brackets each followed by data, and
// every fault of the data (see Reading::Add and CheckAssociations).
Result<Reading> ReadBracketed(std::string_view text, const ReadOptions& options = {});
// The same read into `reading`, which is cleared first; what it holds after a refusal is of no
// use.
Result<Done> ReadBracketedInto(std::string_view text, Reading& reading,
                               const ReadOptions& options = {});

// The reading in brackets, in its order, a bracket within data written "\(".
std::string BracketedText(const Reading& reading);
// The same added to the end of `text`.
void AppendBracketedText(const Reading& reading, std::string& text);

// The text GS1 prints under a symbol: "(01) 09506000134352 (17) 271231 (10) AB-123".
std::string HumanReadableText(const Reading& reading);

}  // namespace varnholt::gs1
