#pragma once

#include <QWidget>
#include <memory>

#include "demo/FormVarnholt.h"
#include "demo/MessageBox.h"

namespace varnholt {

namespace qt {
class BarcodeWidget;
}

// The program's one window: a fixed-size client area holding Barcode1, turning every key
// press into the form's key-down step and showing its message box.
class FormVarnholtWindow final : public QWidget, private MessageBox {
    Q_OBJECT

  public:
    explicit FormVarnholtWindow(QWidget* parent = nullptr);
    ~FormVarnholtWindow() override;

    qt::BarcodeWidget& Barcode1() noexcept { return *barcode1_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    // A right click anywhere in the window, on the control too: Copy and Save As for the
    // control's print-quality symbol, both disabled while its number has none.
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void Show(std::string_view text) override;

    qt::BarcodeWidget* barcode1_;
    std::unique_ptr<FormVarnholt> form_;
};

}  // namespace varnholt
