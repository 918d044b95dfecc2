// The widget in Qt Designer's own form editor, with the plugin loaded as Designer loads it:
// what its property sheet shows and takes, what it saves to the .ui file, and which signals
// its signal/slot editor offers.

#include <gtest/gtest.h>
#include <QFile>
#include <QTest>
#include <QWidget>
#include <QtDesigner/QDesignerMemberSheetExtension>
#include <QtDesigner/QDesignerPropertySheetExtension>

#include "tests/platform/qt/designer/DesignerFormEditor.h"
#include "tests/support/CaseName.h"

namespace varnholt::qt {
namespace {

using test::DesignerFormWindow;

// The control's members; the derived ones are shown but cannot be edited.
const std::vector<std::pair<QString, bool>> kMembersAndWhetherEditable{
    {QStringLiteral("Value"), true},
    {QStringLiteral("Enabled"), true},
    {QStringLiteral("ForeColor"), true},
    {QStringLiteral("Valid"), false},
    {QStringLiteral("Country"), false},
    {QStringLiteral("NumberSystem"), false},
    {QStringLiteral("ManufacturerCode"), false},
    {QStringLiteral("ProductCode"), false},
};

bool IsMember(const QString& name) {
    return std::any_of(kMembersAndWhetherEditable.begin(), kMembersAndWhetherEditable.end(),
                       [&name](const auto& member) { return member.first == name; });
}

// The saved properties that are members of the control.
std::map<QString, QString> SavedMembers(const DesignerFormWindow& form) {
    std::map<QString, QString> members;
    for (const auto& [name, value] : form.SavedProperties()) {
        if (IsMember(name)) {
            members[name] = value;
        }
    }
    return members;
}

TEST(DesignerPropertySheet, ShowsEveryMemberAndTheDerivedOnesReadOnly) {
    DesignerFormWindow form(test::NewBarcodeForm());
    ASSERT_NE(form.Barcode(), nullptr) << "the plugin made the form's widget";
    ASSERT_TRUE(form.Show());
    QDesignerPropertySheetExtension* sheet = form.PropertySheet();
    ASSERT_NE(sheet, nullptr);
    for (const auto& [name, editable] : kMembersAndWhetherEditable) {
        const int index = sheet->indexOf(name);
        ASSERT_GE(index, 0) << name.toStdString();
        EXPECT_TRUE(sheet->isVisible(index)) << name.toStdString();
        EXPECT_EQ(sheet->isEnabled(index), editable) << name.toStdString();
        EXPECT_EQ(sheet->hasReset(index), editable) << name.toStdString();
    }
    // What the control found out about its number when it was first painted.
    EXPECT_EQ(form.Shown(QStringLiteral("Valid")), QVariant(true));
    EXPECT_EQ(form.Shown(QStringLiteral("Country")), QVariant(QStringLiteral("BE-LU")));
}

// The property editor shows the derived properties afresh once a new Value is in, though it
// re-reads only the property that was edited.
TEST(DesignerPropertyEditor, ShowsTheDerivedPropertiesOfANewValue) {
    DesignerFormWindow form(test::NewBarcodeForm());
    ASSERT_NE(form.Barcode(), nullptr);
    ASSERT_TRUE(form.Show());
    form.Select();
    ASSERT_EQ(form.EditorText(QStringLiteral("Country")), QStringLiteral("BE-LU"));
    form.Edit(QStringLiteral("Value"), QStringLiteral("4006381333931"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&form] { return form.EditorText(QStringLiteral("Country")) == QStringLiteral("DE"); }));
    EXPECT_EQ(form.EditorText(QStringLiteral("NumberSystem")), QStringLiteral("400"));
    EXPECT_EQ(form.EditorText(QStringLiteral("ProductCode")), QStringLiteral("33393"));
}

struct TypedValue {
    const char* name;
    QString typed;
    bool accepted;
};

class DesignerPropertySheetValue : public testing::TestWithParam<TypedValue> {};

// What the Value setter refuses, the sheet refuses: the widget keeps its number.
TEST_P(DesignerPropertySheetValue, TakesOnlyWhatTheSetterTakes) {
    DesignerFormWindow form(test::NewBarcodeForm());
    ASSERT_NE(form.Barcode(), nullptr);
    form.Edit(QStringLiteral("Value"), GetParam().typed);
    const QString expected = GetParam().accepted ? GetParam().typed : "5400101109971";
    EXPECT_EQ(form.Shown(QStringLiteral("Value")), QVariant(expected));
    EXPECT_EQ(form.Barcode()->property("Value"), QVariant(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DesignerPropertySheetValue,
    testing::Values(TypedValue{"Number", QStringLiteral("4006381333931"), true},
                    TypedValue{"BeyondLatin1", QStringLiteral("\u0664\u0660\u0660"), false},
                    TypedValue{"Letter", QStringLiteral("540a"), false},
                    TypedValue{"Negative", QStringLiteral("-5"), false},
                    TypedValue{"FourteenDigits", QStringLiteral("54001011099710"), false}),
    test::CaseName{});

struct Edit {
    const char* name;
    QString property;
    QVariant value;
    std::map<QString, QString> saved;  // the members the .ui file then holds
};

class DesignerFormSave : public testing::TestWithParam<Edit> {};

// A property is written to the .ui file exactly when the control's own save would keep it:
// when it differs from the default. Resetting it in the sheet takes it out again.
TEST_P(DesignerFormSave, WritesOnlyWhatDiffersFromTheDefault) {
    DesignerFormWindow form(test::NewBarcodeForm());
    ASSERT_NE(form.Barcode(), nullptr);
    EXPECT_EQ(SavedMembers(form), (std::map<QString, QString>{})) << "placed new";

    form.Edit(GetParam().property, GetParam().value);
    EXPECT_EQ(SavedMembers(form), GetParam().saved);
    // uic then sets it by name, through the property, not through a setter it guesses from
    // the name (Enabled's would be QWidget::setEnabled).
    for (const auto& [name, value] : GetParam().saved) {
        EXPECT_TRUE(form.Contents().contains(
            QStringLiteral("<property name=\"%1\" stdset=\"0\">").arg(name)))
            << name.toStdString();
    }

    QDesignerPropertySheetExtension* sheet = form.PropertySheet();
    const int index = sheet->indexOf(GetParam().property);
    ASSERT_TRUE(sheet->reset(index));
    sheet->setChanged(index, false);
    EXPECT_EQ(SavedMembers(form), (std::map<QString, QString>{}));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DesignerFormSave,
    testing::Values(
        Edit{"OtherNumber",
             QStringLiteral("Value"),
             QStringLiteral("4006381333931"),
             {{QStringLiteral("Value"), QStringLiteral("4006381333931")}}},
        Edit{"DefaultNumberTyped", QStringLiteral("Value"), QStringLiteral("5400101109971"), {}},
        Edit{"RefusedNumber", QStringLiteral("Value"), QStringLiteral("12a"), {}},
        Edit{"Disabled",
             QStringLiteral("Enabled"),
             false,
             {{QStringLiteral("Enabled"), QStringLiteral("false")}}},
        Edit{"Navy",
             QStringLiteral("ForeColor"),
             QColor(0, 0, 160),
             {{QStringLiteral("ForeColor"), QStringLiteral("0,0,160")}}},
        // Black is what window text shows, but a concrete colour: the control keeps it.
        Edit{"ConcreteBlack",
             QStringLiteral("ForeColor"),
             QColor(0, 0, 0),
             {{QStringLiteral("ForeColor"), QStringLiteral("0,0,0")}}}),
    test::CaseName{});

// The form compiled by uic in the build, opened and saved again by the editor.
TEST(DesignerFormSave, KeepsTheStoredPropertiesOfACheckedInForm) {
    QFile file(QStringLiteral(VARNHOLT_BARCODE_FORM));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    DesignerFormWindow form(QString::fromUtf8(file.readAll()));
    ASSERT_NE(form.Barcode(), nullptr);
    EXPECT_EQ(form.Barcode()->property("Value"), QVariant(QStringLiteral("4006381333931")));
    EXPECT_EQ(form.Barcode()->property("ForeColor"), QVariant(QColor(0, 0, 160)));
    EXPECT_EQ(SavedMembers(form), (std::map<QString, QString>{
                                      {QStringLiteral("ForeColor"), QStringLiteral("0,0,160")},
                                      {QStringLiteral("Value"), QStringLiteral("4006381333931")}}));
    EXPECT_TRUE(form.Contents().contains(QStringLiteral("<signal>Click()</signal>")));
}

// The signal/slot editor offers the visible signals of the member sheet.
TEST(DesignerMemberSheet, OffersTheControlsEventsAsSignals) {
    DesignerFormWindow form(test::NewBarcodeForm());
    ASSERT_NE(form.Barcode(), nullptr);
    QDesignerMemberSheetExtension* members = form.MemberSheet();
    ASSERT_NE(members, nullptr);
    for (const char* signal : {"Change()", "Click()", "DblClick()"}) {
        const int index = members->indexOf(QString::fromLatin1(signal));
        ASSERT_GE(index, 0) << signal;
        EXPECT_TRUE(members->isSignal(index)) << signal;
        EXPECT_TRUE(members->isVisible(index)) << signal;
    }
}

}  // namespace
}  // namespace varnholt::qt
