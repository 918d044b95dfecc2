#include "cli/check/CheckedLine.h"

#include <algorithm>
#include <array>

#include "model/Country.h"
#include "model/gs1/Bracketed.h"
#include "model/gs1/ScannerData.h"

namespace varnholt::cli {
namespace {

// The lengths a number of the family may have, told shortest first.
constexpr std::array<std::size_t, kNumberFormatLengths.size()> kNumberLengths = [] {
    auto lengths = kNumberFormatLengths;
    std::ranges::sort(lengths);
    return lengths;
}();

}  // namespace

void LineChecker::TakeFacts(std::string_view ean) {
    checked_.gtin8 = ean.size() == 8;
    checked_.fields = ean_.Fields();
    checked_.country = CountryOf(ean);
}

const CheckedLine& LineChecker::Check(const Line& line) {
    // Field by field: clearing the whole struct at once costs a block move a line.
    checked_.verdict = Verdict::Blank;
    checked_.format = {};
    checked_.gtin8 = false;
    checked_.gtin = {};
    checked_.country = {};
    checked_.fields = {};
    checked_.expectedCheckDigit = 0;
    checked_.fault = {};
    checked_.elementString = {};
    checked_.digitalLink = {};
    checked_.gs1Fault = {};
    if (line.TooLong()) {
        checked_.verdict = Verdict::Error;
        checked_.number = TrimBlanks(line.text);
        checked_.fault = NumberFault::TooLong(line.length);
        return checked_;
    }
    // A GTIN-13 alone on its line, the usual case: its own EAN, checked where it stands.
    // EAN drops blanks and hyphens, so 13 characters holding some may be an EAN-8.
    const std::string_view text = line.text;
    if (text.size() == 13 && !HasSeparator(text) && ean_.Check(text)) {
        checked_.verdict = Verdict::Valid;
        checked_.number = text;
        checked_.format = NameOf(NumberFormat::Gtin13);
        gtin_[0] = '0';
        std::copy(text.begin(), text.end(), gtin_.begin() + 1);
        checked_.gtin = std::string_view(gtin_.data(), gtin_.size());
        TakeFacts(text);
        return checked_;
    }

    // A number starts with a digit, most often without a blank before it; GS1 data never.
    if (text.empty() || text[0] < '0' || text[0] > '9') {
        if (const std::string_view trimmed = TrimBlanks(text); IsGs1Data(trimmed)) {
            CheckGs1(trimmed);
            return checked_;
        }
    }
    const NumberReading& reading = reader_.Read(text);
    checked_.number = reading.text;
    if (reading.text.empty()) {
        return checked_;  // blank
    }
    checked_.verdict = Verdict::Error;
    checked_.fault = reading.fault;
    if (checked_.fault) {
        return checked_;
    }
    const std::optional<GtinNumber> number =
        reading.count <= NumberReader::kMostDigits ? GtinNumberOf(reading.digits) : std::nullopt;
    if (!number) {
        checked_.fault = NumberFault::WrongLength(reading.count, kNumberLengths);
        return checked_;
    }
    if (reading.hasAddOn) {
        const std::string_view takesNone = number->format == NumberFormat::Gtin8    ? "an EAN-8"
                                           : number->format == NumberFormat::Gtin14 ? "a GTIN-14"
                                                                                    : "";
        if ((checked_.fault = AddOnFault(reading, takesNone))) {
            return checked_;
        }
    }
    number_ = *number;
    checked_.verdict = number_.valid ? Verdict::Valid : Verdict::Invalid;
    checked_.format = NameOf(number_.format);
    checked_.gtin = number_.Gtin();
    if (!number_.valid) {
        checked_.expectedCheckDigit = number_.checkDigit;
    }
    // The EAN whose facts apply is valid whenever the number is; a wrong one still has them.
    ean_.Check(number_.Ean());
    TakeFacts(number_.Ean());
    return checked_;
}

Result<Done> LineChecker::ReadGs1(std::string_view text) {
    return text[0] == '('   ? gs1::ReadBracketedInto(text, gs1Reading_, gs1_.read)
           : text[0] == ']' ? gs1::ReadScannerDataInto(text, gs1Reading_, gs1_.read)
                            : gs1::ReadDigitalLinkInto(text, gs1Reading_, gs1_.read);
}

void LineChecker::CheckGs1(std::string_view text) {
    checked_.number = text;
    const bool digitalLink = text[0] == 'h';
    checked_.format = digitalLink ? kDigitalLinkFormat : kElementStringFormat;
    if (const Result<Done> read = ReadGs1(text); !read) {
        // Every refusal is a fault of the data, as a wrong check digit is of a number.
        checked_.verdict = Verdict::Invalid;
        gs1Fault_ = read.Error();
        checked_.gs1Fault = gs1Fault_;
        return;
    }
    checked_.verdict = Verdict::Valid;
    elementString_.clear();
    gs1::AppendBracketedText(gs1Reading_, elementString_);
    checked_.elementString = elementString_;
    digitalLink_.clear();
    if (gs1::AppendDigitalLinkUri(gs1Reading_, gs1_.stem, digitalLink_)) {
        checked_.digitalLink = digitalLink_;
    }
    // The (01)'s GTIN, valid once read, has the facts of a GTIN-14 on its line.
    if (const std::optional<std::string_view> gtin = gs1Reading_.ValueOf("01")) {
        if (const std::optional<GtinNumber> number = GtinNumberOf(*gtin)) {
            number_ = *number;
            checked_.gtin = number_.Gtin();
            ean_.Check(number_.Ean());
            TakeFacts(number_.Ean());
        }
    }
}

}  // namespace varnholt::cli
