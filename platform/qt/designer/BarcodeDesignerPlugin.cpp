#include "platform/qt/designer/BarcodeDesignerPlugin.h"

#include <QPointer>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerPropertyEditorInterface>
#include <QtDesigner/QExtensionManager>

#include "platform/qt/BarcodeWidget.h"
#include "platform/qt/designer/BarcodeDescriptions.h"
#include "platform/qt/designer/BarcodeIcon.h"
#include "platform/qt/designer/BarcodePropertySheet.h"

namespace varnholt::qt {

BarcodeDesignerPlugin::BarcodeDesignerPlugin(QObject* parent) : QObject(parent) {}

QString BarcodeDesignerPlugin::name() const {
    return QString::fromLatin1(BarcodeWidget::staticMetaObject.className());
}

QString BarcodeDesignerPlugin::group() const {
    return QStringLiteral("Varnholt");
}

QString BarcodeDesignerPlugin::toolTip() const {
    return BarcodeToolTip();
}

QString BarcodeDesignerPlugin::whatsThis() const {
    return BarcodeWhatsThis();
}

QString BarcodeDesignerPlugin::includeFile() const {
    // As installed: the package's include folder holds platform/qt/.
    return QStringLiteral("platform/qt/BarcodeWidget.h");
}

QIcon BarcodeDesignerPlugin::icon() const {
    return BarcodeIcon();
}

bool BarcodeDesignerPlugin::isContainer() const {
    return false;
}

QWidget* BarcodeDesignerPlugin::createWidget(QWidget* parent) {
    auto* widget = new BarcodeWidget(parent);
    if (core_ != nullptr) {
        // The property editor re-reads only the property that was edited, but a new Value
        // changes the derived properties too: show them afresh once the edit is done.
        connect(widget, &BarcodeWidget::Change, this, [core = core_, widget] {
            QMetaObject::invokeMethod(
                core,
                [editor = QPointer(core->propertyEditor()), shown = QPointer(widget)] {
                    if (editor != nullptr && shown != nullptr && editor->object() == shown) {
                        editor->setObject(shown);
                    }
                },
                Qt::QueuedConnection);
        });
    }
    return widget;
}

bool BarcodeDesignerPlugin::isInitialized() const {
    return core_ != nullptr;
}

void BarcodeDesignerPlugin::initialize(QDesignerFormEditorInterface* core) {
    if (core_ != nullptr) {
        return;
    }
    QDesignerPropertySheetFactory<BarcodeWidget, BarcodePropertySheet>::registerExtension(
        core->extensionManager());
    core_ = core;
}

QString BarcodeDesignerPlugin::domXml() const {
    return BarcodeDomXml();
}

}  // namespace varnholt::qt
