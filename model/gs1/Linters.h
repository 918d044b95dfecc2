#pragma once

#include <string_view>

#include "model/Result.h"
#include "model/gs1/Linter.h"

namespace varnholt::gs1 {

// Runs the content check `linter` on `part`, a component of the data of the AI `ai` whose
// length and characters are already right. Refuses with what is wrong, in a wording of
// Faults.h.
Result<Done> Lint(Linter linter, std::string_view ai, std::string_view part);

// Whether `linter` reads its component as digits only, so that the table may give it to
// numeric components only.
constexpr bool ReadsDigits(Linter linter) noexcept {
    switch (linter) {
        case Linter::CheckDigit:
        case Linter::Date:
        case Linter::DateOrMonthEnd:
        case Linter::LongDate:
        case Linter::HoursMinutes:
        case Linter::Hours:
        case Linter::Minutes:
        case Linter::Seconds:
        case Linter::Country:
        case Linter::CountryOrUnknown:
        case Linter::Currency:
        case Linter::Sex:
        case Linter::Latitude:
        case Linter::Longitude:
        case Linter::PieceOfTotal:
        case Linter::YesNo:
        case Linter::NonZero:
        case Linter::Zero:
        case Linter::Winding:
        case Linter::NoZeroPrefix:
        case Linter::MediaType:
            return true;
        default:
            return false;
    }
}

}  // namespace varnholt::gs1
