#include "render/SymbolNumber.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "model/GtinNumber.h"
#include "model/Modulo10.h"
#include "model/NumberReading.h"
#include "model/SymbologyNames.h"
#include "model/UpcE.h"

namespace varnholt::render {
namespace {

// The numbers of digits a text may hold, longest first: for each symbology asked, and
// without one. A symbology takes its digits, or all but the check digit; an EAN-13 also an
// ISBN-10, a UPC-E also the GTIN-12 it shortens or its digits without number system.
struct Lengths {
    std::array<std::size_t, 5> counts{};
    std::size_t size = 0;

    constexpr Lengths(std::initializer_list<std::size_t> lengths) : size(lengths.size()) {
        std::ranges::copy(lengths, counts.begin());
    }
    std::span<const std::size_t> All() const { return {counts.data(), size}; }
    bool Allow(std::uint64_t count) const { return std::ranges::find(All(), count) != All().end(); }
};
constexpr std::size_t kEan13 = DigitCountOf(Symbology::Ean13);
constexpr std::size_t kEan8 = DigitCountOf(Symbology::Ean8);
constexpr std::size_t kUpcA = DigitCountOf(Symbology::UpcA);
constexpr std::size_t kUpcE = DigitCountOf(Symbology::UpcE);
constexpr std::size_t kIsbn10 = LengthOf(NumberFormat::Isbn10);
constexpr Lengths kByLength{kEan13, kEan13 - 1, kIsbn10, kEan8, kEan8 - 1};
constexpr std::array<Lengths, kMainSymbologies> kAsked{{
    {kEan13, kEan13 - 1, kIsbn10},
    {kEan8, kEan8 - 1},
    {kUpcA, kUpcA - 1},
    {kUpcA, kUpcE, kUpcE - 1, kUpcE - 2},
}};

Result<SymbolNumber> Refused(ErrorKind kind, std::string message) {
    return Result<SymbolNumber>::Failure(kind, std::move(message));
}

// "an EAN-13", "a UPC-A".
std::string Named(Symbology symbology) {
    const std::string_view title = TitleOf(symbology);
    return (title.front() == 'E' ? "an " : "a ") + std::string(title);
}

char CheckDigitOf(std::string_view body) {
    return static_cast<char>('0' + Modulo10().Calculate(body));
}

// `digits` with their check digit: appended when one short of `length`, else verified.
Result<std::string> Completed(std::string digits, std::size_t length) {
    if (digits.size() + 1 == length) {
        return digits + CheckDigitOf(digits);
    }
    const std::string_view body = std::string_view(digits).substr(0, length - 1);
    if (const char needed = CheckDigitOf(body); digits.back() != needed) {
        return Result<std::string>::Failure(ErrorKind::Input,
                                            WrongCheckDigit(digits.back(), body, needed));
    }
    return digits;
}

// The EAN-13 of an ISBN-10's GTIN, once its own check character is right.
Result<std::string> FromIsbn10(const std::string& digits) {
    const std::optional<GtinNumber> isbn = GtinNumberOf(digits);
    if (!isbn) {
        return Result<std::string>::Failure(ErrorKind::Input, "no ISBN-10");
    }
    if (!isbn->valid) {
        return Result<std::string>::Failure(
            ErrorKind::Input, WrongCheckDigit(digits.back(), std::string_view(digits).substr(0, 9),
                                              isbn->checkDigit));
    }
    return std::string(isbn->Ean());
}

// A UPC-E's eight digits from 12 (a GTIN-12 zero suppression can shorten), 8, 7 or 6.
Result<std::string> UpcEDigits(std::string digits) {
    const auto refused = [](std::string message) {
        return Result<std::string>::Failure(ErrorKind::Input, std::move(message));
    };
    if (digits.size() == 6) {
        digits.insert(0, 1, '0');
    }
    if (digits[0] != '0' && digits[0] != '1') {
        return refused(std::string("a UPC-E has number system 0 or 1, not ") + digits[0]);
    }
    if (digits.size() == 12) {
        const Result<std::string> gtin = Completed(digits, 12);
        if (!gtin) {
            return gtin;
        }
        const std::optional<std::array<char, 8>> shortened = CompressToUpcE(digits);
        if (!shortened) {
            return refused(
                "cannot be shortened to a UPC-E: its manufacturer and product codes hold too few "
                "zeros");
        }
        return std::string(shortened->data(), shortened->size());
    }
    // The check digit is the GTIN-12's, whose other digits do not depend on it.
    const std::optional<std::array<char, 12>> gtin =
        ExpandUpcE(digits.size() == 8 ? digits : digits + '0');
    const char needed = CheckDigitOf(std::string_view(gtin->data(), 11));
    if (digits.size() == 7) {
        return digits + needed;
    }
    if (digits.back() != needed) {
        return refused(
            WrongCheckDigit(digits.back(), std::string_view(digits).substr(0, 7), needed) +
            ", the check digit of its GTIN-12 " + std::string(gtin->data(), 11) + needed);
    }
    return digits;
}

}  // namespace

Result<SymbolNumber> ReadSymbolNumber(std::string_view text, std::optional<Symbology> symbology) {
    if (symbology && !IsMainSymbol(*symbology)) {
        return Refused(ErrorKind::Usage, std::string(TitleOf(*symbology)) +
                                             " is an add-on: give it after a \"+\" in the number");
    }
    NumberReader reader;
    const NumberReading& reading = reader.Read(text);
    if (reading.fault) {
        return Refused(ErrorKind::Input, Describe(reading.fault));
    }
    const Lengths& lengths = symbology ? kAsked[static_cast<std::size_t>(*symbology)] : kByLength;
    if (!lengths.Allow(reading.count)) {
        const std::string wrong = Describe(NumberFault::WrongLength(reading.count, lengths.All()));
        return symbology ? Refused(ErrorKind::Usage, wrong + " for " + Named(*symbology))
                         : Refused(ErrorKind::Input, wrong);
    }
    SymbolNumber number;
    number.symbology = symbology.value_or(reading.count >= 10 ? Symbology::Ean13 : Symbology::Ean8);
    if (reading.hasAddOn) {
        const bool ean8 = number.symbology == Symbology::Ean8;
        if (const NumberFault fault = AddOnFault(reading, ean8 ? "an EAN-8" : ""); fault) {
            return Refused(ean8 && symbology ? ErrorKind::Usage : ErrorKind::Input,
                           Describe(fault));
        }
        number.addOn = reading.addOn;
    }
    std::string given(reading.digits);
    Result<std::string> digits = std::string();
    switch (number.symbology) {
        case Symbology::Ean13:
            digits = given.size() == 10 ? FromIsbn10(given) : Completed(given, 13);
            break;
        case Symbology::Ean8:
            digits = Completed(given, 8);
            break;
        case Symbology::UpcA:
            digits = Completed(given, 12);
            break;
        default:
            digits = UpcEDigits(given);
            break;
    }
    if (!digits) {
        return Result<SymbolNumber>::FailureOf(digits);
    }
    number.digits = *std::move(digits);
    // Callers rely on 12 digits getting their check digit, but those may be a UPC-A's already.
    if (!symbology && given.size() == 12 && Completed(given, 12)) {
        number.note = given + " is a valid GTIN-12: drawn as the EAN-13 " + number.digits +
                      "; give --symbology upca to draw its UPC-A";
    }
    return number;
}

std::string SymbolNumber::Gtin() const {
    std::string gtin = digits;
    if (symbology == Symbology::UpcE) {
        if (const auto expanded = ExpandUpcE(digits)) {
            gtin.assign(expanded->begin(), expanded->end());
        }
    }
    return std::string(14 - std::min<std::size_t>(gtin.size(), 14), '0') + gtin;
}

}  // namespace varnholt::render
