#include "render/SymbolNumber.h"

#include "model/Modulo10.h"
#include "model/NumberReading.h"

namespace varnholt::render {
namespace {

constexpr std::string_view kLengths = "13, 12, 8 or 7";

Result<std::string> Refused(std::string message) {
    return Result<std::string>::Failure(ErrorKind::Input, std::move(message));
}

}  // namespace

Result<std::string> SymbolNumber(std::string_view text) {
    NumberReader reader;
    const NumberReading& reading = reader.Read(text);
    if (reading.fault) {
        return Refused(Describe(reading.fault));
    }
    // An add-on is no part of the symbol's number, and dropping it would draw another label.
    if (reading.hasAddOn) {
        return Refused("an add-on after \"+\" is not drawn: give the number alone");
    }
    const std::uint64_t length = reading.count;
    if (length != 13 && length != 12 && length != 8 && length != 7) {
        return Refused(Describe(NumberFault::WrongLength(length, kLengths)));
    }
    std::string digits(reading.digits);
    Modulo10 modulo;
    if (length == 12 || length == 7) {
        return digits + static_cast<char>('0' + modulo.Calculate(digits));
    }
    const std::string_view body = std::string_view(digits).substr(0, length - 1);
    const std::int16_t needed = modulo.Calculate(body);
    if (digits.back() - '0' != needed) {
        return Refused("check digit " + std::string(1, digits.back()) + " is wrong, " +
                       std::string(body) + " needs " + static_cast<char>('0' + needed));
    }
    return digits;
}

}  // namespace varnholt::render
