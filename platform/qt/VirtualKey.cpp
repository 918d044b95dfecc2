#include "platform/qt/VirtualKey.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace varnholt::qt {
namespace {

// X keycodes (evdev scan code + 8) of the main keyboard's digit row: "1" to "9", then "0".
constexpr unsigned kKeycodeOne = 10;
constexpr unsigned kKeycodeZero = 19;

bool HasXKeycodes() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

// The digit of the main-row key with this X keycode, or -1.
int DigitRowDigit(unsigned keycode) {
    if (keycode < kKeycodeOne || keycode > kKeycodeZero) {
        return -1;
    }
    return keycode == kKeycodeZero ? 0 : static_cast<int>(keycode - kKeycodeOne) + 1;
}

std::int16_t FromQtKey(int key, bool keypad) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        const int digit = key - Qt::Key_0;
        return static_cast<std::int16_t>((keypad ? vk::kPad0 : vk::kDigit0) + digit);
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return static_cast<std::int16_t>('A' + (key - Qt::Key_A));
    }
    switch (key) {
        case Qt::Key_Backspace:
            return vk::kBack;
        case Qt::Key_Delete:
            return vk::kDelete;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return keypad ? vk::kDecimal : std::int16_t{190};
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_Tab:
            return 9;
        default:
            return 0;
    }
}

}  // namespace

std::int16_t VirtualKeyCode(int qtKey, bool keypad, unsigned xKeycode) {
    if (!keypad) {
        if (const int digit = DigitRowDigit(xKeycode); digit >= 0) {
            return static_cast<std::int16_t>(vk::kDigit0 + digit);
        }
    }
    return FromQtKey(qtKey, keypad);
}

std::int16_t VirtualKeyCode(const QKeyEvent& event) {
    const unsigned xKeycode = HasXKeycodes() ? event.nativeScanCode() : 0;
    return VirtualKeyCode(event.key(), event.modifiers().testFlag(Qt::KeypadModifier), xKeycode);
}

}  // namespace varnholt::qt
