#pragma once

#include <string_view>

namespace varnholt {

// The window's modal message box: the information icon, one OK button, the application's
// title as caption. Show returns when the user has closed the box.
class MessageBox {
  public:
    virtual ~MessageBox() = default;
    virtual void Show(std::string_view text) = 0;
};

}  // namespace varnholt
