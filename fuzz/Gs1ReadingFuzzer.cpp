// GS1 readings of any bytes, in each of their three syntaxes, held against a plain
// restatement of the bracketed form and read back from every form a reading is written in.
// Input: one byte for the syntax (low two bits: bracketed, scanner data, Digital Link, or all
// three) and whether associations are checked (bit 2); then the text.

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "fuzz/Require.h"
#include "model/gs1/AiLookup.h"
#include "model/gs1/Bracketed.h"
#include "model/gs1/DigitalLink.h"
#include "model/gs1/ScannerData.h"

namespace varnholt::fuzz {
namespace {

using Elements = std::vector<std::pair<std::string, std::string>>;

Elements ElementsOf(const gs1::Reading& reading) {
    Elements elements;
    for (std::size_t i = 0; i < reading.Size(); ++i) {
        elements.emplace_back(reading[i].ai, reading[i].value);
    }
    return elements;
}

Elements Sorted(Elements elements) {
    std::ranges::sort(elements);
    return elements;
}

// The bracketed form taken apart the plain way: '(' AI ')' then data up to the next '(' that
// no backslash stands before, "\(" read as '('.
Elements PlainBracketed(std::string_view text) {
    Elements elements;
    std::size_t at = 0;
    while (at < text.size()) {
        VARNHOLT_REQUIRE(text[at] == '(');
        const std::size_t close = text.find(')', at);
        VARNHOLT_REQUIRE(close != std::string_view::npos);
        std::string ai(text.substr(at + 1, close - at - 1));
        std::string value;
        at = close + 1;
        while (at < text.size() && text[at] != '(') {
            if (text[at] == '\\' && at + 1 < text.size() && text[at + 1] == '(') {
                ++at;
            }
            value += text[at++];
        }
        elements.emplace_back(std::move(ai), std::move(value));
    }
    return elements;
}

void HoldReading(const gs1::Reading& reading, const gs1::ReadOptions& options) {
    const Elements elements = ElementsOf(reading);
    for (std::size_t i = 0; i < reading.Size(); ++i) {
        VARNHOLT_REQUIRE(gs1::FindAi(reading[i].ai) == reading[i].entry);
        VARNHOLT_REQUIRE(!reading[i].value.empty());
    }
    const std::string bracketed = gs1::BracketedText(reading);
    VARNHOLT_REQUIRE(PlainBracketed(bracketed) == elements);
    const Result<gs1::Reading> again = gs1::ReadBracketed(bracketed, options);
    VARNHOLT_REQUIRE(again && *again == reading);

    const Result<gs1::Reading> scanned =
        gs1::ReadScannerData(gs1::ScannerData(reading, gs1::Carrier::Gs1_128), options);
    VARNHOLT_REQUIRE(scanned && Sorted(ElementsOf(*scanned)) == Sorted(elements));

    const std::string printed = gs1::HumanReadableText(reading);
    for (const auto& [ai, value] : elements) {
        VARNHOLT_REQUIRE(printed.find("(" + ai + ") " + value) != std::string::npos);
    }

    if (const Result<std::string> uri = gs1::DigitalLinkUri(reading)) {
        const Result<gs1::Reading> linked = gs1::ReadDigitalLink(*uri, options);
        VARNHOLT_REQUIRE(linked && Sorted(ElementsOf(*linked)) == Sorted(elements));
    }
}

template <class Read>
void Fuzz(Read read, std::string_view text, const gs1::ReadOptions& options) {
    const Result<gs1::Reading> reading = read(text, options);
    if (reading) {
        HoldReading(*reading, options);
    } else {
        VARNHOLT_REQUIRE(reading.Kind() == ErrorKind::Input && !reading.Error().empty());
    }
}

}  // namespace
}  // namespace varnholt::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace varnholt;
    fuzz::FuzzInput input(data, size);
    const auto choice = input.Take<std::uint8_t>();
    const gs1::ReadOptions options{.associations = (choice & 4) != 0};
    const std::string_view text = input.Rest();
    const unsigned syntax = choice & 3U;
    if (syntax == 0 || syntax == 3) {
        fuzz::Fuzz(gs1::ReadBracketed, text, options);
    }
    if (syntax == 1 || syntax == 3) {
        fuzz::Fuzz(gs1::ReadScannerData, text, options);
    }
    if (syntax == 2 || syntax == 3) {
        fuzz::Fuzz(gs1::ReadDigitalLink, text, options);
    }
    return 0;
}
