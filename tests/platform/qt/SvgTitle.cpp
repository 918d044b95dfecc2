#include "tests/platform/qt/SvgTitle.h"

#include <QXmlStreamReader>

namespace varnholt::test {

std::optional<QString> SvgTitle(const QByteArray& svg) {
    QXmlStreamReader xml(svg);
    std::optional<QString> title;
    bool rootSeen = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (!rootSeen) {
            rootSeen = true;
            if (xml.name() != QStringLiteral("svg") ||
                xml.namespaceUri() != QStringLiteral("http://www.w3.org/2000/svg")) {
                return std::nullopt;
            }
        } else if (xml.name() == QStringLiteral("title") && !title) {
            title = xml.readElementText();
        }
    }
    if (xml.hasError() || !rootSeen) {
        return std::nullopt;
    }
    return title;
}

}  // namespace varnholt::test
