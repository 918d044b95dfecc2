#include "platform/qt/VirtualKey.h"

#include <gtest/gtest.h>

#include <Qt>

namespace varnholt::qt {
namespace {

TEST(VirtualKey, MapsPhysicalKeysToTheirCodes) {
    struct Row {
        int key;
        bool keypad;
        unsigned xKeycode;
        std::int16_t code;
    };
    const Row rows[] = {
        // Main digit row by X keycode, whatever the Qt key (Shift+7 is "&" on US layouts).
        {Qt::Key_Ampersand, false, 16, 55},
        {Qt::Key_ParenRight, false, 19, 48},
        {Qt::Key_1, false, 10, 49},
        {Qt::Key_9, false, 18, 57},
        {Qt::Key_Exclam, false, 10, 49},
        // Without a keycode (synthesised events), by the Qt key.
        {Qt::Key_7, false, 0, 55},
        {Qt::Key_0, false, 0, 48},
        // Keypad digits with Num Lock on, whatever the keycode.
        {Qt::Key_7, true, 79, 103},
        {Qt::Key_0, true, 90, 96},
        {Qt::Key_9, true, 0, 105},
        {Qt::Key_Period, true, 91, 110},
        {Qt::Key_Comma, true, 91, 110},
        {Qt::Key_Delete, true, 91, 46},
        {Qt::Key_Delete, false, 119, 46},
        {Qt::Key_Backspace, false, 22, 8},
        // Keys the form ignores.
        {Qt::Key_Home, true, 79, 0},
        {Qt::Key_A, false, 38, 65},
        {Qt::Key_Return, false, 36, 13},
        {Qt::Key_Period, false, 60, 190},
        {Qt::Key_F1, false, 67, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(VirtualKeyCode(row.key, row.keypad, row.xKeycode), row.code)
            << std::hex << row.key << " keypad " << row.keypad << " keycode " << std::dec
            << row.xKeycode;
    }
}

}  // namespace
}  // namespace varnholt::qt
