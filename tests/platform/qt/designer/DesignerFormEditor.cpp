#include "tests/platform/qt/designer/DesignerFormEditor.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDomDocument>
#include <QPluginLoader>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormEditorPluginInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtDesigner/QDesignerMemberSheetExtension>
#include <QtDesigner/QDesignerObjectInspectorInterface>
#include <QtDesigner/QDesignerPropertyEditorInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QExtensionManager>
// The property sheet hands texts over in a type of the editor's own.
#include <QtDesigner/private/qdesigner_utils_p.h>

namespace varnholt::test {
namespace {

const QString kBarcodeClass = QStringLiteral("varnholt::qt::BarcodeWidget");

QString ValueText(const QDomElement& property) {
    const QDomElement value = property.firstChildElement();
    if (value.tagName() == QLatin1String("color")) {
        return QStringLiteral("%1,%2,%3")
            .arg(value.firstChildElement(QStringLiteral("red")).text(),
                 value.firstChildElement(QStringLiteral("green")).text(),
                 value.firstChildElement(QStringLiteral("blue")).text());
    }
    return value.text();
}

// The editor and the windows around its forms, as Designer's main window holds them.
struct Workbench {
    QDesignerFormEditorInterface* core = nullptr;
    std::unique_ptr<QWidget> window;
};

Workbench& TheWorkbench() {
    static Workbench workbench;
    return workbench;
}

// Closes the editor once the tests have run, while the application still exists: the
// windows first, which report to the editor as they close.
class FormEditorEnvironment final : public testing::Environment {
  public:
    void TearDown() override {
        Workbench& workbench = TheWorkbench();
        workbench.window.reset();
        delete workbench.core;
        workbench.core = nullptr;
    }
};

[[maybe_unused]] testing::Environment* const kFormEditorEnvironment =
    testing::AddGlobalTestEnvironment(new FormEditorEnvironment);

}  // namespace

QDesignerFormEditorInterface* FormEditor() {
    Workbench& workbench = TheWorkbench();
    if (workbench.core != nullptr) {
        return workbench.core;
    }
    // Designer finds custom widget plugins in the "designer" folder of each library path.
    QCoreApplication::addLibraryPath(QStringLiteral(VARNHOLT_PLUGIN_DIR));
    QDesignerComponents::initializeResources();
    QDesignerFormEditorInterface* core = QDesignerComponents::createFormEditor(nullptr);
    workbench.core = core;
    // The windows around the form, which the form window reports to as it is used.
    workbench.window = std::make_unique<QWidget>();
    QWidget* window = workbench.window.get();
    core->setPropertyEditor(QDesignerComponents::createPropertyEditor(core, window));
    core->setObjectInspector(QDesignerComponents::createObjectInspector(core, window));
    new QDesignerIntegration(core, core);
    QDesignerComponents::initializePlugins(core);
    // The editor's own tools, among them the signal/slot editor that loads and saves a form's
    // connections, are plugins linked into its components.
    for (QObject* plugin : QPluginLoader::staticInstances()) {
        auto* tool = qobject_cast<QDesignerFormEditorPluginInterface*>(plugin);
        if (tool != nullptr && !tool->isInitialized()) {
            tool->initialize(core);
        }
    }
    return core;
}

DesignerFormWindow::DesignerFormWindow(const QString& ui)
    : frame_(std::make_unique<QWidget>()),
      window_(FormEditor()->formWindowManager()->createFormWindow(frame_.get())) {
    (new QVBoxLayout(frame_.get()))->addWidget(window_);
    window_->setContents(ui);
}

DesignerFormWindow::~DesignerFormWindow() = default;

bool DesignerFormWindow::Show() const {
    QSignalSpy painted(Barcode(), SIGNAL(Change()));
    frame_->show();
    return QTest::qWaitForWindowExposed(frame_.get()) && (!painted.isEmpty() || painted.wait(5000));
}

QWidget* DesignerFormWindow::Barcode() const {
    for (QWidget* widget : window_->mainContainer()->findChildren<QWidget*>()) {
        if (QString::fromLatin1(widget->metaObject()->className()) == kBarcodeClass) {
            return widget;
        }
    }
    return nullptr;
}

QDesignerPropertySheetExtension* DesignerFormWindow::PropertySheet() const {
    return qt_extension<QDesignerPropertySheetExtension*>(FormEditor()->extensionManager(),
                                                          Barcode());
}

QDesignerMemberSheetExtension* DesignerFormWindow::MemberSheet() const {
    return qt_extension<QDesignerMemberSheetExtension*>(FormEditor()->extensionManager(),
                                                        Barcode());
}

void DesignerFormWindow::Edit(const QString& property, const QVariant& value) const {
    QDesignerPropertySheetExtension* sheet = PropertySheet();
    const int index = sheet->indexOf(property);
    if (value.metaType() == QMetaType::fromType<QString>()) {
        sheet->setProperty(index, QVariant::fromValue(qdesigner_internal::PropertySheetStringValue(
                                      value.toString(), false)));
    } else {
        sheet->setProperty(index, value);
    }
    sheet->setChanged(index, true);
}

QVariant DesignerFormWindow::Shown(const QString& property) const {
    QDesignerPropertySheetExtension* sheet = PropertySheet();
    const QVariant value = sheet->property(sheet->indexOf(property));
    if (value.metaType() == QMetaType::fromType<qdesigner_internal::PropertySheetStringValue>()) {
        return qvariant_cast<qdesigner_internal::PropertySheetStringValue>(value).value();
    }
    return value;
}

void DesignerFormWindow::Select() const {
    FormEditor()->propertyEditor()->setObject(Barcode());
}

QString DesignerFormWindow::EditorText(const QString& property) const {
    // Groups (one per class) are the tree's top level, properties their children; deeper
    // items are parts of a property, such as the Country of QWidget's locale.
    for (const QTreeWidget* tree : FormEditor()->propertyEditor()->findChildren<QTreeWidget*>()) {
        for (const QTreeWidgetItem* item :
             tree->findItems(property, Qt::MatchExactly | Qt::MatchRecursive)) {
            if (item->parent() != nullptr && item->parent()->parent() == nullptr) {
                return item->text(1);
            }
        }
    }
    return {};
}

QString DesignerFormWindow::Contents() const {
    return window_->contents();
}

std::map<QString, QString> DesignerFormWindow::SavedProperties() const {
    QDomDocument document;
    document.setContent(Contents());
    const QDomNodeList widgets = document.elementsByTagName(QStringLiteral("widget"));
    std::map<QString, QString> saved;
    for (int i = 0; i < widgets.count(); ++i) {
        const QDomElement widget = widgets.at(i).toElement();
        if (widget.attribute(QStringLiteral("class")) != kBarcodeClass) {
            continue;
        }
        for (QDomElement property = widget.firstChildElement(QStringLiteral("property"));
             !property.isNull();
             property = property.nextSiblingElement(QStringLiteral("property"))) {
            saved[property.attribute(QStringLiteral("name"))] = ValueText(property);
        }
    }
    return saved;
}

QString NewBarcodeForm() {
    return QStringLiteral(
               "<ui version=\"4.0\"><class>Form</class>"
               "<widget class=\"QWidget\" name=\"Form\">"
               "<widget class=\"%1\" name=\"barcode\"/>"
               "</widget></ui>")
        .arg(kBarcodeClass);
}

}  // namespace varnholt::test
