#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "control/PropertyStore.h"

namespace varnholt {

// A property store held in memory: what a host keeps for its controls between save and load.
class MemoryPropertyStore final : public PropertyStore {
  public:
    using Entry = std::pair<std::string, PropertyValue>;

    MemoryPropertyStore() = default;
    // A store that already holds these entries, as stored data hands them over.
    MemoryPropertyStore(std::initializer_list<Entry> entries);

    PropertyValue Read(std::string_view key, const PropertyValue& defaultValue) const override;
    void Write(std::string_view key, const PropertyValue& value,
               const PropertyValue& defaultValue) override;

    // Whether anything is stored under `key`, in any letter case.
    bool Contains(std::string_view key) const;
    // How many keys hold a value.
    std::size_t Size() const noexcept { return entries_.size(); }

  private:
    std::vector<Entry>::const_iterator Find(std::string_view key) const;

    std::vector<Entry> entries_;
};

}  // namespace varnholt
