#pragma once

#include <QString>
#include <QVariant>
#include <map>
#include <memory>

class QDesignerFormEditorInterface;
class QDesignerFormWindowInterface;
class QDesignerMemberSheetExtension;
class QDesignerPropertySheetExtension;
class QWidget;

namespace varnholt::test {

// Qt Designer's form editor without its main window: the same components, plugins and
// property sheets, driven by the tests instead of a person.
QDesignerFormEditorInterface* FormEditor();

// One form window of that editor holding a .ui form.
class DesignerFormWindow {
  public:
    explicit DesignerFormWindow(const QString& ui);
    ~DesignerFormWindow();
    DesignerFormWindow(const DesignerFormWindow&) = delete;
    DesignerFormWindow& operator=(const DesignerFormWindow&) = delete;

    // Shows the form as the editor's main window does, and returns once the window system's
    // first paint of the BarcodeWidget has run.
    bool Show() const;
    // The form's BarcodeWidget, as the editor made it.
    QWidget* Barcode() const;
    QDesignerPropertySheetExtension* PropertySheet() const;
    QDesignerMemberSheetExtension* MemberSheet() const;
    // Types into the property sheet as the property editor does: sets the value (a text as
    // the editor's untranslated text) and marks the property as edited.
    void Edit(const QString& property, const QVariant& value) const;
    // What the property sheet shows for the BarcodeWidget's property (a text as a QString).
    QVariant Shown(const QString& property) const;
    // Selects the BarcodeWidget in the editor's property editor, as a click on it does.
    void Select() const;
    // The text in the property editor's value column for a property.
    QString EditorText(const QString& property) const;
    // The .ui text the editor saves now.
    QString Contents() const;
    // The properties of the BarcodeWidget in the saved form: name, and the value as text
    // (a colour as "r,g,b").
    std::map<QString, QString> SavedProperties() const;

  private:
    // The editor's form windows live inside a window of the application, as Designer's do.
    std::unique_ptr<QWidget> frame_;
    QDesignerFormWindowInterface* window_;
};

// A form holding one BarcodeWidget as the widget box drops it.
QString NewBarcodeForm();

}  // namespace varnholt::test
