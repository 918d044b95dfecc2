#include "demo/FormVarnholt.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demo/FormVarnholtData.h"
#include "tests/support/RecordingHost.h"

namespace varnholt {
namespace {

struct RecordingBox final : MessageBox {
    void Show(std::string_view text) override { texts.emplace_back(text); }
    std::vector<std::string> texts;
};

// The form with Barcode1 as the window creates it: loaded empty and disabled.
struct FormTest : testing::Test {
    FormTest() {
        host.Control().OnLoad(form_varnholt::Barcode1Properties());
        host.OnEvent(Barcode::Change, [this] { form.Barcode1_Change(); });
        host.Paint();
        host.ClearLog();
    }
    void Press(std::int16_t key, std::int16_t shift = 0) {
        std::int16_t code = key;
        form.Form_KeyDown(code, shift);
        EXPECT_EQ(code, key) << "the handler leaves the key code alone";
    }
    void Type(const std::string& digits) {
        for (const char c : digits) {
            Press(static_cast<std::int16_t>(c));
        }
    }

    test::RecordingHost host;
    Barcode& barcode = host.Control();
    RecordingBox box;
    FormVarnholt form{barcode, box};
};

TEST_F(FormTest, StartsEmptyAndDisabled) {
    EXPECT_EQ(barcode.Value(), "");
    EXPECT_FALSE(barcode.Enabled());
    EXPECT_FALSE(host.EnabledState());
    EXPECT_EQ(barcode.ForeColor(), kWindowTextColor);
}

TEST_F(FormTest, TypingANumberRepaintsEachDigitAndReportsOnce) {
    struct Row {
        const char* number;
        const char* message;
    };
    for (const Row row : {Row{"5400101109971", "True\r\nBE-LU\r\n54\r\n00101\r\n10997"},
                          Row{"4006381333931", "True\r\nDE\r\n400\r\n6381\r\n33393"},
                          Row{"5400101109972", "False\r\nBE-LU\r\n54\r\n00101\r\n10997"}}) {
        Press(46);
        host.ClearLog();
        box.texts.clear();
        Type(row.number);
        EXPECT_EQ(host.Count("Repaint"), 13) << row.number;
        EXPECT_EQ(box.texts, std::vector<std::string>{row.message});
    }
}

TEST_F(FormTest, NumberStopsAtThirteenAndReportsEachNewThirteen) {
    Type("5400101109971");
    host.ClearLog();
    Press('3');
    EXPECT_EQ(barcode.Value(), "5400101109971");
    EXPECT_TRUE(host.Log().empty()) << "no repaint, no Change";
    Press(8);
    EXPECT_EQ(barcode.Value(), "540010110997");
    Press('1');
    EXPECT_EQ(box.texts.size(), 2u) << "the same 13 digits again, after an edit";
    Press(8);
    Press('2');
    EXPECT_EQ(box.texts.size(), 3u);
    EXPECT_EQ(box.texts.back(), "False\r\nBE-LU\r\n54\r\n00101\r\n10997");
}

TEST_F(FormTest, EachKeyEditsAsItsCodeSays) {
    struct Row {
        const char* start;
        std::int16_t key;
        std::int16_t shift;
        const char* value;
        int repaints;
    };
    const Row rows[] = {
        {"", 8, 0, "", 0},          {"12", 8, 0, "1", 1},         {"", 46, 0, "", 1},
        {"123", 46, 0, "", 1},      {"12", 48, 0, "120", 1},      {"12", 57, 0, "129", 1},
        {"12", 55, 1, "127", 1},    {"12", 55, 7, "127", 1},      {"12", 96, 0, "120", 1},
        {"12", 103, 0, "127", 1},   {"12", 105, 0, "129", 1},     {"12", 110, 0, "12", 0},
        {"12", 47, 0, "12", 0},     {"12", 58, 0, "12", 0},       {"12", 95, 0, "12", 0},
        {"12", 106, 0, "12", 0},    {"12", 65, 0, "12", 0},       {"12", 13, 0, "12", 0},
        {"12", 0, 0, "12", 0},      {"12", -1, 0, "12", 0},       {"12", 32767, 0, "12", 0},
        {"12", -32768, 0, "12", 0}, {"12", 56 + 256, 0, "12", 0},
    };
    for (const Row& row : rows) {
        barcode.Value(row.start);
        host.ClearLog();
        Press(row.key, row.shift);
        EXPECT_EQ(barcode.Value(), row.value) << row.start << " key " << row.key;
        EXPECT_EQ(host.Count("Repaint"), row.repaints) << row.start << " key " << row.key;
    }
}

TEST_F(FormTest, DeleteOnEmptyRepaintsWithoutChange) {
    Press(46);
    EXPECT_EQ(host.Count("Repaint"), 1);
    EXPECT_EQ(host.Count("RaiseEvent 1"), 0);
    EXPECT_TRUE(box.texts.empty());
}

TEST(FormFacts, WritesIntegerPartsInDecimal) {
    test::RecordingHost host;
    host.Control().OnLoad(MemoryPropertyStore{{"Value", "12345678901234"}});
    host.Paint();
    EXPECT_EQ(FormVarnholt::Facts(host.Control()), "False\r\nUS-CA\r\n0\r\n0\r\n0");
}

}  // namespace
}  // namespace varnholt
