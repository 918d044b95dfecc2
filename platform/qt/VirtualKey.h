#pragma once

#include <cstdint>

#include "control/VirtualKeys.h"

class QKeyEvent;

namespace varnholt::qt {

// The virtual-key code of the key behind a key event, as the classic desktop platform numbers
// keys: by the physical key, whatever the layout and modifiers. The main keyboard's digit
// row gives 48-57 also with Shift, Ctrl or Alt held (Shift+7 is the key "7" even where its
// text is "&"); keypad digits give 96-105 while Num Lock is on; keypad Delete gives 46.
// Events without a native scan code (synthesised ones) are judged by their Qt key.
std::int16_t VirtualKeyCode(const QKeyEvent& event);

// The same from a key event's parts: its Qt key, whether it came from the keypad, and its X
// keycode (0 where the platform gives none).
std::int16_t VirtualKeyCode(int qtKey, bool keypad, unsigned xKeycode);

}  // namespace varnholt::qt
