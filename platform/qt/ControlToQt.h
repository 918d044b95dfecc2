#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "control/Barcode.h"
#include "control/Color.h"
#include "model/CodePart.h"
#include "raster/SoftwareSurface.h"
#include "raster/SystemColors.h"

// The control's texts, colours and pixels as Qt takes them, for every Qt host alike.
namespace varnholt::qt {

// A text of the control as Qt shows it: the control keeps Latin-1 characters, a byte each.
inline QString ToQString(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A text from Qt as the control takes it; nothing when a character is beyond Latin-1, which
// the control cannot hold.
inline std::optional<std::string> ToControlText(const QString& text) {
    if (!std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; })) {
        return std::nullopt;
    }
    return text.toLatin1().toStdString();
}

// The concrete colour a control colour stands for; an invalid colour when it stands for none.
inline QColor ToQColor(OleColor color) {
    const auto concrete = raster::TranslateColor(color);
    if (!concrete) {
        return {};
    }
    return QColor(static_cast<int>(*concrete & 0xFF), static_cast<int>(*concrete >> 8 & 0xFF),
                  static_cast<int>(*concrete >> 16 & 0xFF));
}

// A direct colour 0x00BBGGRR of a valid Qt colour.
inline OleColor ToOleColor(const QColor& color) {
    const QRgb rgb = color.rgb();
    return static_cast<OleColor>(qRed(rgb)) | static_cast<OleColor>(qGreen(rgb)) << 8 |
           static_cast<OleColor>(qBlue(rgb)) << 16;
}

// The raster's pixels as an image that shares them: valid while the raster is unchanged, so
// a caller that keeps it copies or scales it first.
inline QImage ImageOf(const raster::SoftwareSurface& raster) {
    return QImage(reinterpret_cast<const uchar*>(raster.Pixels().data()), raster.Width(),
                  raster.Height(), raster.Width() * 4, QImage::Format_RGB32);
}

// The control's members as Qt's property system reads and writes them, for the widget's
// Designer properties and the Qt Quick item's QML ones alike. Texts are Latin-1: a text with
// other characters is refused like any other the Value setter refuses. Code parts read as
// their message text ("0" when not set). ForeColor reads as the colour drawn, system colours
// translated; an invalid colour is ignored. A reset puts back what a new control holds.
inline QString ValueProperty(const Barcode& control) {
    return ToQString(control.Value());
}
inline void SetValueProperty(Barcode& control, const QString& value) {
    if (const std::optional<std::string> text = ToControlText(value)) {
        control.Value(*text);
    }
}
inline void ResetValueProperty(Barcode& control) {
    control.Value(Barcode::DefaultValue);
}
inline QColor ForeColorProperty(const Barcode& control) {
    return ToQColor(control.ForeColor());
}
inline void SetForeColorProperty(Barcode& control, const QColor& color) {
    if (color.isValid()) {
        control.ForeColor(ToOleColor(color));
    }
}
inline void ResetForeColorProperty(Barcode& control) {
    control.ForeColor(kWindowTextColor);
}
inline QString CodePartProperty(const CodePart& part) {
    return ToQString(ToText(part));
}

}  // namespace varnholt::qt
