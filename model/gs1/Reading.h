#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/Result.h"
#include "model/gs1/AiEntry.h"

namespace varnholt::gs1 {

// One AI and its data, as a Reading gives them: views into the Reading.
struct Element {
    std::string_view ai;
    std::string_view value;
    // The AI's entry in the table.
    const AiEntry* entry = nullptr;
};

// How strictly a reading is checked.
struct ReadOptions {
    // Whether AIs that need others (req=) or exclude others (ex=) are checked among the whole;
    // off for data read from one of several carriers on an item.
    bool associations = true;
};

// GS1 data read from any of its syntaxes: AIs and their data in the order they came, each
// AI's data checked. The characters are kept inside the object, so reading allocates nothing,
// and a copy is as good as the original. Being large, it is best read into in place and
// cleared for the next data.
class Reading {
  public:
    static constexpr std::size_t kMostElements = 64;
    static constexpr std::size_t kMostCharacters = 2048;

    // How many AIs the reading holds.
    std::size_t Size() const noexcept { return count_; }
    // The AI at `index`, below Size().
    Element operator[](std::size_t index) const noexcept {
        const Slot& slot = slots_[index];
        return {std::string_view(slot.ai.data(), slot.aiLength),
                std::string_view(characters_.data() + slot.offset, slot.length), slot.entry};
    }
    // The data of the first `ai`; nothing when the reading has no such AI.
    std::optional<std::string_view> ValueOf(std::string_view ai) const noexcept;

    // Adds `ai` with `value` after checking the data against the AI's entry. Data the reading
    // holds already under the AI is not added twice. Refuses an unknown AI, wrong data, other
    // data under an AI it holds, and more than the reading has room for.
    Result<Done> Add(std::string_view ai, std::string_view value);
    // The same for an AI whose entry the caller has found already.
    Result<Done> Add(const AiEntry& entry, std::string_view ai, std::string_view value);
    // Forgets every AI, for the next data to be read into the same reading.
    void Clear() noexcept {
        count_ = 0;
        used_ = 0;
    }

    // The same AIs with the same data in the same order.
    friend bool operator==(const Reading& left, const Reading& right) noexcept;

  private:
    struct Slot {
        const AiEntry* entry = nullptr;
        std::uint16_t offset = 0;
        std::uint16_t length = 0;
        std::array<char, 4> ai{};
        std::uint8_t aiLength = 0;
    };

    std::array<Slot, kMostElements> slots_{};
    std::array<char, kMostCharacters> characters_{};
    std::size_t count_ = 0;
    std::size_t used_ = 0;
};

// Checks what holds among the reading's AIs as a whole: every AI's req= rules are met by the
// others and no AI comes with one it excludes. Refuses with the first broken rule, e.g.
// "AI (10): needs AI (01), (02), (03), (8006) or (8026)". Does nothing when `options` turn
// the associations off.
Result<Done> CheckAssociations(const Reading& reading, const ReadOptions& options);

}  // namespace varnholt::gs1
