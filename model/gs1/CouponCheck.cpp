#include "model/gs1/CouponCheck.h"

#include <array>
#include <cstddef>
#include <string>

#include "model/gs1/Faults.h"

namespace varnholt::gs1 {
namespace {

// Reads the code from the front, field by field, remembering the first fault.
class CouponReader {
  public:
    CouponReader(std::string_view ai, std::string_view part) : ai_(ai), part_(part) {}

    // The next `count` digits, or nothing once the code has ended, with the fault naming `field`.
    std::string_view Take(std::size_t count, std::string_view field) {
        if (!fault_.empty()) {
            return {};
        }
        if (part_.size() - at_ < count) {
            fault_ = PartFault(ai_, part_, "coupon ends within its " + std::string(field));
            return {};
        }
        const std::string_view taken = part_.substr(at_, count);
        at_ += count;
        return taken;
    }

    // A length indicator from `least` to `most`, and the digits it announces: `base` more than it.
    std::string_view TakeCounted(std::size_t least, std::size_t most, std::size_t base,
                                 std::string_view field) {
        const std::string_view indicator = Take(1, field);
        if (indicator.empty()) {
            return {};
        }
        const auto count = static_cast<std::size_t>(indicator[0] - '0');
        if (count < least || count > most) {
            Fail(std::string(field) + ": length indicator " + std::string(indicator));
            return {};
        }
        return Take(base + count, field);
    }

    // A date yymmdd, its month and day in their ranges.
    void TakeDate(std::string_view field) {
        const std::string_view date = Take(6, field);
        if (date.empty()) {
            return;
        }
        const int month = (date[2] - '0') * 10 + (date[3] - '0');
        const int day = (date[4] - '0') * 10 + (date[5] - '0');
        if (month < 1 || month > 12 || day < 1 || day > 31) {
            Fail(std::string(field) + " " + std::string(date) + " is no date");
        }
    }

    void Fail(const std::string& what) {
        if (fault_.empty()) {
            fault_ = PartFault(ai_, part_, "coupon " + what);
        }
    }

    bool AtEnd() const noexcept { return at_ == part_.size(); }
    char Next() const noexcept { return part_[at_]; }
    const std::string& Fault() const noexcept { return fault_; }

  private:
    std::string_view ai_;
    std::string_view part_;
    std::size_t at_ = 0;
    std::string fault_;
};

}  // namespace

Result<Done> CheckCouponCode(std::string_view ai, std::string_view part) {
    CouponReader reader(ai, part);
    reader.TakeCounted(0, 6, 6, "company prefix");
    reader.Take(6, "offer code");
    reader.TakeCounted(1, 5, 0, "save value");
    reader.TakeCounted(1, 5, 0, "primary purchase requirement");
    reader.Take(1, "primary purchase requirement code");
    reader.Take(3, "primary purchase family code");
    char last = '0';
    while (reader.Fault().empty() && !reader.AtEnd()) {
        const char field = reader.Next();
        if (field <= last) {
            reader.Fail(std::string("field ") + field + " out of order");
            break;
        }
        last = field;
        reader.Take(1, "optional field");
        if (field == '3') {
            reader.TakeDate("expiration date");
        } else if (field == '4') {
            reader.TakeDate("start date");
        } else if (field == '5') {
            reader.TakeCounted(0, 9, 6, "serial number");
        } else if (field == '9') {
            reader.Take(4, "closing field");
            if (!reader.AtEnd()) {
                reader.Fail("field 9 is not last");
            }
        } else if (field == '1' || field == '2' || field == '6') {
            break;
        } else {
            reader.Fail(std::string("field ") + field + " does not exist");
        }
    }
    if (!reader.Fault().empty()) {
        return Refused<Done>(reader.Fault());
    }
    return Done{};
}

}  // namespace varnholt::gs1
