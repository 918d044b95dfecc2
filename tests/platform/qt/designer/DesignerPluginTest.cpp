// The plugin as Qt Designer loads it: through QPluginLoader and its designer interface alone.

#include <gtest/gtest.h>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QWidget>
#include <QXmlStreamReader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <map>
#include <memory>

#include "control/BarcodeMembers.h"
#include "tests/platform/qt/ImageScan.h"

namespace varnholt::qt {
namespace {

QString FromView(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QDesignerCustomWidgetInterface* LoadPlugin() {
    static QPluginLoader loader(QStringLiteral(VARNHOLT_DESIGNER_PLUGIN));
    QObject* instance = loader.instance();
    EXPECT_NE(instance, nullptr) << loader.errorString().toStdString();
    return qobject_cast<QDesignerCustomWidgetInterface*>(instance);
}

TEST(DesignerPlugin, CreatesTheWidgetThroughItsDesignerInterface) {
    QDesignerCustomWidgetInterface* plugin = LoadPlugin();
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(plugin->name(), QStringLiteral("varnholt::qt::BarcodeWidget"));
    EXPECT_EQ(plugin->group(), QStringLiteral("Varnholt"));
    EXPECT_EQ(plugin->includeFile(), QStringLiteral("platform/qt/BarcodeWidget.h"));
    EXPECT_FALSE(plugin->isContainer());

    QWidget form;
    QWidget* widget = plugin->createWidget(&form);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget(), &form);
    EXPECT_STREQ(widget->metaObject()->className(), "varnholt::qt::BarcodeWidget");
    EXPECT_EQ(widget->property("Value"), QVariant(QStringLiteral("5400101109971"))) << "placed new";
    widget->setProperty("Value", QStringLiteral("4006381333931"));
    EXPECT_EQ(widget->property("Country"), QVariant(QStringLiteral("DE")));
}

// The icon is the control itself: a new control's symbol, which a decoder reads.
TEST(DesignerPlugin, IconIsTheControlsOwnSymbol) {
    QDesignerCustomWidgetInterface* plugin = LoadPlugin();
    ASSERT_NE(plugin, nullptr);
    const QIcon icon = plugin->icon();
    ASSERT_FALSE(icon.availableSizes().isEmpty());
    const QImage image = icon.pixmap(icon.availableSizes().front()).toImage();
    EXPECT_EQ(test::ScanWithZBar(image), std::vector<std::string>{"5400101109971"});
}

// The texts are the control's published descriptions: every member and event is in "What's
// This", every member's name in the tooltip, and each property of the widget that is a
// member carries the member's description as its tooltip in the property sheet.
TEST(DesignerPlugin, TextsAreThePublishedDescriptions) {
    QDesignerCustomWidgetInterface* plugin = LoadPlugin();
    ASSERT_NE(plugin, nullptr);
    const QString whatsThis = plugin->whatsThis();
    for (const MemberDescription& member : BarcodeMembers) {
        EXPECT_TRUE(whatsThis.contains(FromView(member.description))) << member.name;
        EXPECT_TRUE(plugin->toolTip().contains(FromView(member.name))) << member.name;
    }
    for (const MemberDescription& event : BarcodeEvents) {
        EXPECT_TRUE(whatsThis.contains(FromView(event.name))) << event.name;
        EXPECT_TRUE(whatsThis.contains(FromView(event.description))) << event.name;
    }

    std::map<QString, QString> toolTips;
    QXmlStreamReader xml(plugin->domXml());
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.name() == QLatin1String("tooltip")) {
            const QString name = xml.attributes().value(QLatin1String("name")).toString();
            toolTips[name] = xml.readElementText();
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();

    QWidget form;
    const std::unique_ptr<QWidget> widget(plugin->createWidget(&form));
    std::map<QString, QString> expected;
    for (const MemberDescription& member : BarcodeMembers) {
        const QString name = FromView(member.name);
        if (widget->metaObject()->indexOfProperty(name.toLatin1().constData()) >= 0) {
            expected[name] = FromView(member.description);
        }
    }
    EXPECT_EQ(expected.size(), 8u) << "every member but the method Refresh";
    EXPECT_EQ(toolTips, expected);
}

}  // namespace
}  // namespace varnholt::qt
