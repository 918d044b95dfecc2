#include "model/gs1/Reading.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "model/gs1/AiLookup.h"
#include "model/gs1/Faults.h"
#include "model/gs1/ValueCheck.h"

namespace varnholt::gs1 {

std::optional<std::string_view> Reading::ValueOf(std::string_view ai) const noexcept {
    for (std::size_t i = 0; i < count_; ++i) {
        const Element element = (*this)[i];
        if (SameAi(element.ai, ai)) {
            return element.value;
        }
    }
    return std::nullopt;
}

Result<Done> Reading::Add(std::string_view ai, std::string_view value) {
    const AiEntry* entry = FindAi(ai);
    if (entry == nullptr) {
        return Refused<Done>(AiFault(ai, "no such AI"));
    }
    return Add(*entry, ai, value);
}

Result<Done> Reading::Add(const AiEntry& entry, std::string_view ai, std::string_view value) {
    if (Result<Done> checked = CheckValue(entry, ai, value); !checked) {
        return checked;
    }
    if (const std::optional<std::string_view> held = ValueOf(ai)) {
        if (*held == value) {
            return Done{};
        }
        return Refused<Done>(
            AiFault(ai, "given twice, as " + std::string(*held) + " and " + std::string(value)));
    }
    if (count_ == kMostElements || kMostCharacters - used_ < value.size()) {
        return Refused<Done>(AiFault(ai, "more data than a reading holds"));
    }
    Slot& slot = slots_[count_++];
    slot.entry = &entry;
    slot.offset = static_cast<std::uint16_t>(used_);
    slot.length = static_cast<std::uint16_t>(value.size());
    std::copy(ai.begin(), ai.end(), slot.ai.begin());
    slot.aiLength = static_cast<std::uint8_t>(ai.size());
    std::copy(value.begin(), value.end(), characters_.begin() + static_cast<std::ptrdiff_t>(used_));
    used_ += value.size();
    return Done{};
}

bool operator==(const Reading& left, const Reading& right) noexcept {
    if (left.Size() != right.Size()) {
        return false;
    }
    for (std::size_t i = 0; i < left.Size(); ++i) {
        if (left[i].ai != right[i].ai || left[i].value != right[i].value) {
            return false;
        }
    }
    return true;
}

}  // namespace varnholt::gs1
