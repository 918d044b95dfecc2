#include "cli/CheckedLine.h"

#include "model/Country.h"

namespace varnholt::cli {
namespace {

constexpr std::string_view kNumberLengths = "13 or 8";

}  // namespace

const CheckedLine& LineChecker::Check(const Line& line) {
    checked_ = {};
    if (line.TooLong()) {
        checked_.verdict = Verdict::Error;
        checked_.number = TrimBlanks(line.text);
        checked_.fault = NumberFault::TooLong(line.length);
        return checked_;
    }
    // 13 or 8 characters that make a valid number are all digits: nothing to drop.
    std::string_view digits = line.text;
    bool valid = (digits.size() == 13 || digits.size() == 8) && ean_.Check(digits);
    checked_.number = digits;
    if (!valid) {
        const NumberReading& reading = reader_.Read(line.text);
        checked_.number = reading.text;
        if (reading.text.empty()) {
            return checked_;  // blank
        }
        checked_.verdict = Verdict::Error;
        checked_.fault = reading.fault;
        if (!reading.fault && reading.count != 13 && reading.count != 8) {
            checked_.fault = NumberFault::WrongLength(reading.count, kNumberLengths);
        }
        if (checked_.fault) {
            return checked_;
        }
        digits = reading.digits;
        valid = ean_.Check(digits);
        if (!valid) {
            checked_.expectedCheckDigit = ean_.CheckDigit();
        }
    }
    checked_.verdict = valid ? Verdict::Valid : Verdict::Invalid;
    checked_.digits = digits.size();
    checked_.fields = ean_.Fields();
    checked_.country = CountryOf(digits);
    return checked_;
}

}  // namespace varnholt::cli
