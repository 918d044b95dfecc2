#pragma once

#include <QString>

namespace varnholt::qt {

// What Qt Designer shows about BarcodeWidget, composed from the control's published member
// and event descriptions.

// The widget box's tooltip: the control's kind and the names of its members.
QString BarcodeToolTip();
// The "What's This" text: every member and event with its description, as rich text.
QString BarcodeWhatsThis();
// The widget box entry and its custom widget data: each property of the widget that is a
// member of the control gets the member's description as its tooltip in the property sheet,
// and the widget's own text properties are plain, untranslated single lines.
QString BarcodeDomXml();

}  // namespace varnholt::qt
