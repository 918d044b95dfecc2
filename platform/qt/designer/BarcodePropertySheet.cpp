#include "platform/qt/designer/BarcodePropertySheet.h"

#include <QMetaProperty>

#include "control/MemoryPropertyStore.h"
#include "platform/qt/BarcodeWidget.h"

namespace varnholt::qt {

BarcodePropertySheet::BarcodePropertySheet(BarcodeWidget* widget, QObject* parent)
    : QDesignerPropertySheet(widget, parent), widget_(widget) {}

int BarcodePropertySheet::OwnPropertyIndex(int index) const {
    if (index < 0 || index >= count()) {
        return -1;
    }
    const QMetaObject& meta = BarcodeWidget::staticMetaObject;
    const int own = meta.indexOfProperty(propertyName(index).toLatin1().constData());
    return own >= meta.propertyOffset() ? own : -1;
}

bool BarcodePropertySheet::IsDerived(int index) const {
    const int own = OwnPropertyIndex(index);
    return own >= 0 && !BarcodeWidget::staticMetaObject.property(own).isWritable();
}

bool BarcodePropertySheet::IsPersisted(int index) const {
    const int own = OwnPropertyIndex(index);
    if (own < 0) {
        return false;
    }
    const QMetaProperty property = BarcodeWidget::staticMetaObject.property(own);
    return property.isWritable() && property.isStored();
}

bool BarcodePropertySheet::isVisible(int index) const {
    return IsDerived(index) || QDesignerPropertySheet::isVisible(index);
}

bool BarcodePropertySheet::isEnabled(int index) const {
    return !IsDerived(index) && QDesignerPropertySheet::isEnabled(index);
}

bool BarcodePropertySheet::hasReset(int index) const {
    return !IsDerived(index) && QDesignerPropertySheet::hasReset(index);
}

bool BarcodePropertySheet::isChanged(int index) const {
    if (!IsPersisted(index)) {
        return QDesignerPropertySheet::isChanged(index);
    }
    MemoryPropertyStore store;
    widget_->Control().OnSave(store);
    return store.Contains(propertyName(index).toStdString());
}

}  // namespace varnholt::qt
