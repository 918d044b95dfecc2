#pragma once

#include <cstdint>
#include <string>

#include "control/Barcode.h"
#include "demo/MessageBox.h"

namespace varnholt {

// The demonstration window's behaviour, apart from the window itself: key presses edit
// Barcode1's Value, and each new 13-character number is reported in a message box. All the
// state lives in Barcode1.
class FormVarnholt {
  public:
    FormVarnholt(Barcode& barcode1, MessageBox& messageBox) noexcept
        : Barcode1(barcode1), messageBox_(messageBox) {}

    // A key went down: digits (main keyboard 48-57, keypad 96-105) append while the number
    // has at most 13 characters, Backspace (8) removes the last character, Delete (46)
    // clears; other keys and the shift state change nothing. KeyCode is left as it is.
    void Form_KeyDown(std::int16_t& KeyCode, std::int16_t Shift);

    // Barcode1 changed: for a 13-character number, shows its facts in the message box.
    void Barcode1_Change();

    // The five lines the message box shows for Barcode1, joined by CR LF.
    static std::string Facts(const Barcode& barcode);

  private:
    Barcode& Barcode1;
    MessageBox& messageBox_;
};

}  // namespace varnholt
