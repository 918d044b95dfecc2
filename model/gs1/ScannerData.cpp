#include "model/gs1/ScannerData.h"

#include <algorithm>
#include <cstddef>
#include <span>

#include "model/gs1/AiLookup.h"
#include "model/gs1/Faults.h"

namespace varnholt::gs1 {
namespace {

constexpr std::string_view kSyntax = "scanner data";

bool NeedsSeparator(const Element& element) noexcept {
    return !element.entry->predefinedLength;
}

}  // namespace

Result<Reading> ReadScannerData(std::string_view text, const ReadOptions& options) {
    Reading reading;
    if (Result<Done> read = ReadScannerDataInto(text, reading, options); !read) {
        return Result<Reading>::FailureOf(read);
    }
    return reading;
}

Result<Done> ReadScannerDataInto(std::string_view text, Reading& reading,
                                 const ReadOptions& options) {
    reading.Clear();
    if (std::ranges::find(kSymbologyIdentifiers, text.substr(0, 3)) ==
        kSymbologyIdentifiers.end()) {
        return Refused<Done>(
            SyntaxFault(kSyntax, "no GS1 symbology identifier (]C1, ]d2, ]Q3 or ]e0)"));
    }
    std::size_t at = 3;
    if (at == text.size()) {
        return Refused<Done>(SyntaxFault(kSyntax, "no AI", at + 1));
    }
    while (at < text.size()) {
        std::size_t aiLength = 0;
        const AiEntry* entry = FindAiAtStart(text.substr(at), aiLength);
        if (entry == nullptr) {
            return Refused<Done>(SyntaxFault(kSyntax, "no AI", at + 1));
        }
        const std::string_view ai = text.substr(at, aiLength);
        at += aiLength;
        const std::size_t end = entry->predefinedLength
                                    ? std::min(text.size(), at + FixedLength(*entry))
                                    : std::min(text.size(), text.find(kGroupSeparator, at));
        if (Result<Done> added = reading.Add(*entry, ai, text.substr(at, end - at)); !added) {
            return added;
        }
        // A separator after data of fixed length is needless but harmless.
        at = end < text.size() && text[end] == kGroupSeparator ? end + 1 : end;
    }
    return CheckAssociations(reading, options);
}

std::string ElementString(const Reading& reading) {
    std::array<std::size_t, Reading::kMostElements> order{};
    for (std::size_t i = 0; i < reading.Size(); ++i) {
        order[i] = i;
    }
    const auto used = std::span(order.data(), reading.Size());
    // Only the last AI's data may end without a separator; if that AI has a fixed length
    // while another needs one, putting the fixed ones first saves a separator.
    if (!used.empty() && !NeedsSeparator(reading[used.back()]) &&
        std::ranges::any_of(used, [&](std::size_t i) { return NeedsSeparator(reading[i]); })) {
        std::stable_partition(used.begin(), used.end(),
                              [&](std::size_t i) { return !NeedsSeparator(reading[i]); });
    }
    std::string text;
    for (std::size_t n = 0; n < used.size(); ++n) {
        const Element element = reading[used[n]];
        text += element.ai;
        text += element.value;
        if (NeedsSeparator(element) && n + 1 < used.size()) {
            text += kGroupSeparator;
        }
    }
    return text;
}

std::string ScannerData(const Reading& reading, Carrier carrier) {
    return std::string(kSymbologyIdentifiers[static_cast<std::size_t>(carrier)]) +
           ElementString(reading);
}

}  // namespace varnholt::gs1
