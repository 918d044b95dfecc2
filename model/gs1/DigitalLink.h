#pragma once

#include <string>
#include <string_view>

#include "model/Result.h"
#include "model/gs1/Reading.h"

namespace varnholt::gs1 {

// The domain GS1 itself resolves Digital Link URIs at.
inline constexpr std::string_view kGs1Stem = "https://id.gs1.org";

// Reads an uncompressed GS1 Digital Link URI: any http or https domain and path before the
// primary key, then the key and its qualifiers in their one order in the path, data
// attributes in the query. A GTIN of 8, 12 or 13 digits is read as the 14-digit one; query
// parameters that are no number are not GS1's and are passed over. Refuses a URI without a
// primary key, qualifiers out of their order, AIs in the query that are no data attributes,
// broken percent-encoding and every fault of the data.
Result<Reading> ReadDigitalLink(std::string_view uri, const ReadOptions& options = {});
// The same read into `reading`, which is cleared first; what it holds after a refusal is of no
// use.
Result<Done> ReadDigitalLinkInto(std::string_view uri, Reading& reading,
                                 const ReadOptions& options = {});

// The reading as a Digital Link URI at `stem`: the first primary key of the reading and those
// of its qualifiers the reading holds in the path, every other AI in the query, each
// percent-encoded as needed. Refuses a reading without a primary key, and one with an AI that
// is neither a qualifier of the key nor a data attribute.
Result<std::string> DigitalLinkUri(const Reading& reading, std::string_view stem = kGs1Stem);
// The same added to the end of `uri`, which a refusal leaves as it was.
Result<Done> AppendDigitalLinkUri(const Reading& reading, std::string_view stem, std::string& uri);

}  // namespace varnholt::gs1
