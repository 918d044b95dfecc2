#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace varnholt::test {

// The text of the <title> of an SVG document; nothing when the bytes are not well-formed XML
// with an <svg> root in the SVG namespace, or it has no title.
std::optional<QString> SvgTitle(const QByteArray& svg);

}  // namespace varnholt::test
