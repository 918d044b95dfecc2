// The widget's Qt properties, as form designers and generic code use them: by name, through
// QObject::setProperty and QObject::property.

#include <gtest/gtest.h>
#include <QMetaProperty>

#include "platform/qt/BarcodeWidget.h"
#include "tests/support/CaseName.h"

namespace varnholt::qt {
namespace {

struct ValueRow {
    const char* name;
    QString typed;
    bool accepted;
};

class BarcodeWidgetValueProperty : public testing::TestWithParam<ValueRow> {};

// The Value setter's own rules decide: what it refuses leaves the property as it was.
TEST_P(BarcodeWidgetValueProperty, GoesThroughTheControlsSetter) {
    BarcodeWidget widget;
    widget.setProperty("Value", QStringLiteral("4006381333931"));
    ASSERT_EQ(widget.Control().Value(), "4006381333931");

    EXPECT_TRUE(widget.setProperty("Value", GetParam().typed));
    const QString expected = GetParam().accepted ? GetParam().typed : "4006381333931";
    EXPECT_EQ(widget.property("Value").toString(), expected);
    EXPECT_EQ(QString::fromLatin1(widget.Control().Value()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BarcodeWidgetValueProperty,
    testing::Values(ValueRow{"Number", QStringLiteral("9780201379624"), true},
                    ValueRow{"Empty", QString(), true},
                    ValueRow{"LeadingBlank", QStringLiteral(" 12"), true},
                    ValueRow{"InnerBlank", QStringLiteral("1 2"), false},
                    ValueRow{"Letter", QStringLiteral("12a"), false},
                    ValueRow{"Negative", QStringLiteral("-1"), false},
                    ValueRow{"FourteenDigits", QStringLiteral("40063813339310"), false},
                    ValueRow{"ArabicIndicDigits", QStringLiteral("\u0664\u0660\u0660"), false}),
    test::CaseName{});

TEST(BarcodeWidgetProperties, DerivedOnesAreReadOnlyAndCurrentWhenTheSetterReturns) {
    BarcodeWidget widget;
    widget.setProperty("Value", QStringLiteral("4006381333931"));
    EXPECT_EQ(widget.property("Valid"), QVariant(true));
    EXPECT_EQ(widget.property("Country"), QVariant(QStringLiteral("DE")));
    EXPECT_EQ(widget.property("NumberSystem"), QVariant(QStringLiteral("400")));
    EXPECT_EQ(widget.property("ManufacturerCode"), QVariant(QStringLiteral("6381")));
    EXPECT_EQ(widget.property("ProductCode"), QVariant(QStringLiteral("33393")));
    widget.setProperty("Value", QStringLiteral("40"));
    EXPECT_EQ(widget.property("Valid"), QVariant(false));
    EXPECT_EQ(widget.property("NumberSystem"), QVariant(QStringLiteral("0")));

    const QMetaObject& meta = BarcodeWidget::staticMetaObject;
    for (const char* name :
         {"Valid", "Country", "NumberSystem", "ManufacturerCode", "ProductCode"}) {
        const QMetaProperty property = meta.property(meta.indexOfProperty(name));
        EXPECT_FALSE(property.isWritable()) << name;
        EXPECT_FALSE(property.isStored()) << name;
        EXPECT_FALSE(widget.setProperty(name, QStringLiteral("1"))) << name;
    }
}

// ForeColor shows the colour the control draws; a colour set through it is a concrete one,
// and resetting it brings back the window-text reference a new control holds.
TEST(BarcodeWidgetProperties, ForeColorShowsSystemColoursAndResetsToWindowText) {
    BarcodeWidget widget;
    ASSERT_EQ(widget.Control().ForeColor(), kWindowTextColor);
    EXPECT_EQ(widget.property("ForeColor").value<QColor>(), QColor(0, 0, 0));

    widget.Control().ForeColor(0x8000000D);  // highlight
    EXPECT_EQ(widget.property("ForeColor").value<QColor>(), QColor(10, 36, 106));
    widget.Control().ForeColor(0x12345678);  // names no colour: the control draws nothing
    EXPECT_FALSE(widget.property("ForeColor").value<QColor>().isValid());

    widget.setProperty("ForeColor", QColor(0x20, 0x40, 0x80));
    EXPECT_EQ(widget.Control().ForeColor(), 0x00804020u);
    widget.setProperty("ForeColor", QColor());
    EXPECT_EQ(widget.Control().ForeColor(), 0x00804020u) << "an invalid colour is ignored";

    const QMetaObject& meta = BarcodeWidget::staticMetaObject;
    meta.property(meta.indexOfProperty("ForeColor")).reset(&widget);
    EXPECT_EQ(widget.Control().ForeColor(), kWindowTextColor);
}

TEST(BarcodeWidgetProperties, ResetsRestoreWhatANewControlHolds) {
    BarcodeWidget widget;
    widget.setProperty("Value", QStringLiteral("12"));
    widget.setProperty("Enabled", false);
    EXPECT_FALSE(widget.Control().Enabled());
    EXPECT_FALSE(widget.ClicksEnabled());

    const QMetaObject& meta = BarcodeWidget::staticMetaObject;
    EXPECT_TRUE(meta.property(meta.indexOfProperty("Value")).reset(&widget));
    EXPECT_TRUE(meta.property(meta.indexOfProperty("Enabled")).reset(&widget));
    EXPECT_EQ(widget.Control().Value(), Barcode::DefaultValue);
    EXPECT_TRUE(widget.Control().Enabled());
    EXPECT_TRUE(widget.ClicksEnabled());
}

}  // namespace
}  // namespace varnholt::qt
