#pragma once

// Qt Designer's own property sheet is not public API; deriving from it is the only way to
// show a property greyed out, and keeps everything else the sheet does for any widget.
#include <QtDesigner/private/qdesigner_propertysheet_p.h>

namespace varnholt::qt {

class BarcodeWidget;

// Qt Designer's property sheet for a BarcodeWidget. It differs from the standard sheet in
// two ways:
// - the control's derived properties (read-only) are shown, greyed out, where the standard
//   sheet hides every property it cannot write;
// - a persisted property counts as changed, and so is written to the form, exactly when the
//   control's own save keeps it: when it differs from the control's default.
class BarcodePropertySheet final : public QDesignerPropertySheet {
    Q_OBJECT

  public:
    BarcodePropertySheet(BarcodeWidget* widget, QObject* parent);

    bool isVisible(int index) const override;
    bool isEnabled(int index) const override;
    bool hasReset(int index) const override;
    bool isChanged(int index) const override;

  private:
    // The widget's own property behind this index, or -1 (QWidget's, or one the sheet adds).
    int OwnPropertyIndex(int index) const;
    bool IsDerived(int index) const;
    bool IsPersisted(int index) const;

    BarcodeWidget* widget_;
};

}  // namespace varnholt::qt
