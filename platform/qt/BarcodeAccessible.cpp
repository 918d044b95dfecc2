#include "platform/qt/BarcodeAccessible.h"

#include <QAccessibleWidget>

#include "platform/qt/BarcodeWidget.h"

namespace varnholt::qt {
namespace {

class BarcodeAccessible final : public QAccessibleWidget {
  public:
    explicit BarcodeAccessible(BarcodeWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Graphic) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value || kind == QAccessible::Description) {
            return static_cast<const BarcodeWidget*>(widget())->AccessibleValue();
        }
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* CreateInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("varnholt::qt::BarcodeWidget") && object->isWidgetType()) {
        return new BarcodeAccessible(static_cast<BarcodeWidget*>(object));
    }
    return nullptr;
}

}  // namespace

void InstallBarcodeAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(CreateInterface);
        return true;
    }();
    (void)installed;
}

}  // namespace varnholt::qt
