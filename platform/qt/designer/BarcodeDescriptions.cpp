#include "platform/qt/designer/BarcodeDescriptions.h"

#include <QMetaProperty>
#include <QXmlStreamWriter>

#include "control/Barcode.h"
#include "platform/qt/BarcodeWidget.h"

namespace varnholt::qt {
namespace {

QString FromView(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString Kind() {
    return QStringLiteral("EAN-13 bar code");
}

void AppendDescriptions(QString& html, const QString& heading, const auto& members) {
    html += QStringLiteral("<p>%1</p><ul>").arg(heading);
    for (const MemberDescription& member : members) {
        html += QStringLiteral("<li><b>%1</b>: %2</li>")
                    .arg(FromView(member.name), FromView(member.description).toHtmlEscaped());
    }
    html += QStringLiteral("</ul>");
}

// The widget's own properties (not QWidget's), by index.
template <class Visit>
void ForEachOwnProperty(Visit visit) {
    const QMetaObject& meta = BarcodeWidget::staticMetaObject;
    for (int index = meta.propertyOffset(); index < meta.propertyCount(); ++index) {
        visit(meta.property(index));
    }
}

}  // namespace

QString BarcodeToolTip() {
    QStringList names;
    for (const MemberDescription& member : Barcode::Members) {
        names << FromView(member.name);
    }
    return Kind() + QStringLiteral(": ") + names.join(QStringLiteral(", "));
}

QString BarcodeWhatsThis() {
    QString html = QStringLiteral("<p><b>%1</b></p>").arg(Kind());
    AppendDescriptions(html, QStringLiteral("Members"), Barcode::Members);
    AppendDescriptions(html, QStringLiteral("Events"), Barcode::Events);
    return html;
}

QString BarcodeDomXml() {
    const QString className = QString::fromLatin1(BarcodeWidget::staticMetaObject.className());
    QString xml;
    QXmlStreamWriter writer(&xml);
    writer.writeStartElement(QStringLiteral("ui"));
    writer.writeAttribute(QStringLiteral("language"), QStringLiteral("c++"));
    writer.writeAttribute(QStringLiteral("displayname"), QStringLiteral("Barcode"));
    writer.writeStartElement(QStringLiteral("widget"));
    writer.writeAttribute(QStringLiteral("class"), className);
    writer.writeAttribute(QStringLiteral("name"), QStringLiteral("barcode"));
    writer.writeEndElement();
    writer.writeStartElement(QStringLiteral("customwidgets"));
    writer.writeStartElement(QStringLiteral("customwidget"));
    writer.writeTextElement(QStringLiteral("class"), className);
    writer.writeStartElement(QStringLiteral("propertyspecifications"));
    for (const MemberDescription& member : Barcode::Members) {
        const QString name = FromView(member.name);
        if (BarcodeWidget::staticMetaObject.indexOfProperty(name.toLatin1().constData()) >= 0) {
            writer.writeStartElement(QStringLiteral("tooltip"));
            writer.writeAttribute(QStringLiteral("name"), name);
            writer.writeCharacters(FromView(member.description));
            writer.writeEndElement();
        }
    }
    ForEachOwnProperty([&writer](const QMetaProperty& property) {
        if (property.metaType().id() == QMetaType::QString) {
            writer.writeStartElement(QStringLiteral("stringpropertyspecification"));
            writer.writeAttribute(QStringLiteral("name"), QString::fromLatin1(property.name()));
            writer.writeAttribute(QStringLiteral("type"), QStringLiteral("singleline"));
            writer.writeAttribute(QStringLiteral("notr"), QStringLiteral("true"));
            writer.writeEndElement();
        }
    });
    writer.writeEndElement();  // propertyspecifications
    writer.writeEndElement();  // customwidget
    writer.writeEndElement();  // customwidgets
    writer.writeEndElement();  // ui
    return xml;
}

}  // namespace varnholt::qt
