#include <gtest/gtest.h>

#include <optional>

#include "control/MemoryPropertyStore.h"

namespace varnholt {
namespace {

TEST(MemoryPropertyStore, MatchesKeysInAnyCaseAndKeepsNoDefaults) {
    MemoryPropertyStore store;
    store.Write("ForeColor", 255, -2147483640);
    EXPECT_EQ(store.Read("FORECOLOR", 0), PropertyValue{255});
    store.Write("forecolor", 7, -2147483640);
    EXPECT_EQ(store.Size(), 1u);
    EXPECT_EQ(store.Read("ForeColor", 0), PropertyValue{7});
    store.Write("FORECOLOR", -2147483640, -2147483640);
    EXPECT_EQ(store.Size(), 0u);
    EXPECT_EQ(store.Read("ForeColor", 3), PropertyValue{3});
    // A value of another kind than the default is kept even if it reads alike.
    store.Write("Enabled", 1, true);
    EXPECT_TRUE(store.Contains("enabled"));
}

TEST(PropertyConversion, ConvertsOrFails) {
    struct Row {
        PropertyValue stored;
        std::optional<bool> asBoolean;
        std::optional<std::int32_t> asInteger;
        const char* asText;
    };
    const Row rows[] = {
        {true, true, -1, "True"},
        {false, false, 0, "False"},
        {0, false, 0, "0"},
        {-2147483640, true, -2147483640, "-2147483640"},
        {"tRuE", true, std::nullopt, "tRuE"},
        {"False", false, std::nullopt, "False"},
        {" 2.5 ", true, 2, " 2.5 "},
        {"3.5", true, 4, "3.5"},
        {"-2.5", true, -2, "-2.5"},
        {"0.49999999999999994", true, 0, "0.49999999999999994"},
        {"0", false, 0, "0"},
        {"-2147483648", true, -2147483648, "-2147483648"},
        {"2147483648", true, std::nullopt, "2147483648"},
        {"red", std::nullopt, std::nullopt, "red"},
        {"", std::nullopt, std::nullopt, ""},
    };
    for (const Row& row : rows) {
        const std::string text = ToText(row.stored);
        EXPECT_EQ(ToBoolean(row.stored), row.asBoolean) << text;
        EXPECT_EQ(ToInteger(row.stored), row.asInteger) << text;
        EXPECT_EQ(text, row.asText);
    }
}

}  // namespace
}  // namespace varnholt
