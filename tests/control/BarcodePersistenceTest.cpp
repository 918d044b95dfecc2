#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "control/Barcode.h"
#include "control/MemoryPropertyStore.h"
#include "tests/support/RecordingHost.h"

namespace varnholt {
namespace {

// A store that fails to read or write one key.
class FailingStore final : public PropertyStore {
  public:
    FailingStore(MemoryPropertyStore& inner, std::string key)
        : inner_(inner), key_(std::move(key)) {}
    PropertyValue Read(std::string_view key, const PropertyValue& defaultValue) const override {
        if (key == key_) {
            throw std::runtime_error("unreadable");
        }
        return inner_.Read(key, defaultValue);
    }
    void Write(std::string_view key, const PropertyValue& value,
               const PropertyValue& defaultValue) override {
        if (key == key_) {
            throw std::runtime_error("unwritable");
        }
        inner_.Write(key, value, defaultValue);
    }

  private:
    MemoryPropertyStore& inner_;
    std::string key_;
};

struct Persisted {
    bool enabled;
    OleColor foreColor;
    std::string value;
};

void ExpectPersisted(const Barcode& barcode, const Persisted& expected) {
    EXPECT_EQ(barcode.Enabled(), expected.enabled);
    EXPECT_EQ(barcode.ForeColor(), expected.foreColor);
    EXPECT_EQ(barcode.Value(), expected.value);
}

TEST(BarcodePersistence, StartsUnsetAndNewInstanceIsSilent) {
    test::RecordingHost host;
    ExpectPersisted(host.Control(), {false, 0, ""});
    EXPECT_EQ(host.Control().Country(), "");
    EXPECT_FALSE(host.Control().Valid());
    EXPECT_EQ(host.Control().NumberSystem(), CodePart{std::int16_t{0}});
    host.Control().OnNewInstance();
    ExpectPersisted(host.Control(), {true, 0x80000008, "5400101109971"});
    EXPECT_TRUE(host.Log().empty());
}

TEST(BarcodePersistence, DefaultsAreNotKeptAndLoadBack) {
    test::RecordingHost saved;
    saved.Control().OnNewInstance();
    MemoryPropertyStore store{{"_extentx", 3043}};
    saved.Control().OnSave(store);
    EXPECT_EQ(store.Size(), 1u);

    test::RecordingHost loaded;
    loaded.Control().OnLoad(store);
    ExpectPersisted(loaded.Control(), {true, 0x80000008, "5400101109971"});
    EXPECT_TRUE(loaded.Log().empty());
}

TEST(BarcodePersistence, ChangedValuesRoundTrip) {
    test::RecordingHost saved;
    saved.Control().OnNewInstance();
    saved.Control().Enabled(false);
    saved.Control().ForeColor(0x000000FF);
    saved.Control().Value("");
    MemoryPropertyStore store;
    saved.Control().OnSave(store);
    EXPECT_EQ(store.Size(), 3u);

    test::RecordingHost loaded;
    loaded.Control().OnLoad(store);
    ExpectPersisted(loaded.Control(), {false, 0x000000FF, ""});

    // Setting a property back to its default removes it from the store again.
    saved.Control().ForeColor(kWindowTextColor);
    saved.Control().OnSave(store);
    EXPECT_FALSE(store.Contains("ForeColor"));
}

TEST(BarcodePersistence, LoadTakesAnyCaseAndAnyStoredValue) {
    struct Row {
        const char* name;
        MemoryPropertyStore store;
        Persisted expected;
    };
    const Row rows[] = {
        {"FormData",
         {{"_extentx", 3043}, {"_extenty", 2143}, {"enabled", false}, {"value", ""}},
         {false, 0x80000008, ""}},
        {"UpperCase", {{"ENABLED", false}, {"FORECOLOR", 255}}, {false, 255, "5400101109971"}},
        {"FourteenCharacters", {{"Value", "54001011099710"}}, {true, 0x80000008, "54001011099710"}},
        {"Letters", {{"Value", "ABC-12"}}, {true, 0x80000008, "ABC-12"}},
        {"UnconvertibleColor",
         {{"ForeColor", "red"}, {"Enabled", false}, {"Value", "540"}},
         {false, 0, "540"}},
        {"ColorOutOfRange", {{"ForeColor", "4294967296"}}, {true, 0, "5400101109971"}},
        {"TextsConverted",
         {{"Enabled", "False"}, {"ForeColor", "255.5"}, {"Value", 42}},
         {false, 256, "42"}},
        {"UnconvertibleEnabled", {{"Enabled", "maybe"}}, {false, 0x80000008, "5400101109971"}},
    };
    for (const Row& row : rows) {
        test::RecordingHost host;
        host.Control().OnLoad(row.store);
        SCOPED_TRACE(row.name);
        ExpectPersisted(host.Control(), row.expected);
        EXPECT_TRUE(host.Log().empty());
    }
}

TEST(BarcodePersistence, AnUnreadableKeyKeepsItsFieldAndTheOthersLoad) {
    MemoryPropertyStore inner{{"Enabled", true}, {"ForeColor", 255}, {"Value", "540"}};
    for (const auto& [key, expected] : {std::pair{"Enabled", Persisted{false, 255, "540"}},
                                        std::pair{"ForeColor", Persisted{true, 0, "540"}},
                                        std::pair{"Value", Persisted{true, 255, ""}}}) {
        test::RecordingHost host;
        host.Control().OnLoad(FailingStore(inner, key));
        SCOPED_TRACE(key);
        ExpectPersisted(host.Control(), expected);
    }
}

TEST(BarcodePersistence, SaveStopsAtTheFirstFailure) {
    test::RecordingHost host;
    host.Control().OnNewInstance();
    host.Control().Enabled(false);
    host.Control().Value("540");
    MemoryPropertyStore inner;
    FailingStore store(inner, "ForeColor");
    host.Control().ForeColor(0xFF);
    EXPECT_THROW(host.Control().OnSave(store), std::runtime_error);
    EXPECT_TRUE(inner.Contains("Enabled"));
    EXPECT_FALSE(inner.Contains("Value"));
}

}  // namespace
}  // namespace varnholt
