#include "control/MemoryPropertyStore.h"

#include <algorithm>

#include "model/Ascii.h"

namespace varnholt {
MemoryPropertyStore::MemoryPropertyStore(std::initializer_list<Entry> entries)
    : entries_(entries) {}

std::vector<MemoryPropertyStore::Entry>::const_iterator MemoryPropertyStore::Find(
    std::string_view key) const {
    return std::ranges::find_if(
        entries_, [key](const Entry& entry) { return EqualsIgnoringCase(entry.first, key); });
}

PropertyValue MemoryPropertyStore::Read(std::string_view key,
                                        const PropertyValue& defaultValue) const {
    const auto entry = Find(key);
    return entry == entries_.end() ? defaultValue : entry->second;
}

void MemoryPropertyStore::Write(std::string_view key, const PropertyValue& value,
                                const PropertyValue& defaultValue) {
    const auto entry = Find(key);
    if (value == defaultValue) {
        if (entry != entries_.end()) {
            entries_.erase(entry);
        }
    } else if (entry != entries_.end()) {
        entries_[static_cast<std::size_t>(entry - entries_.begin())].second = value;
    } else {
        entries_.emplace_back(std::string(key), value);
    }
}

bool MemoryPropertyStore::Contains(std::string_view key) const {
    return Find(key) != entries_.end();
}

}  // namespace varnholt
