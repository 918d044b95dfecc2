#include "platform/qt/PrintSymbol.h"

#include <QImage>

#include "model/NumberReading.h"
#include "render/Layout.h"

namespace varnholt::qt {
namespace {

constexpr std::size_t kEan13Length = 13;

QString FromText(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QByteArray ToBytes(const std::string& bytes) {
    return {bytes.data(), static_cast<qsizetype>(bytes.size())};
}

}  // namespace

std::optional<std::string> PrintNumber(const Barcode& control) {
    const std::string value = control.Value();
    NumberReader reader;
    const NumberReading& reading = reader.Read(value);
    // Valid also holds for an EAN-8 padded with blanks to 13 characters; the control draws
    // that as no EAN-13, so it has no symbol here either: only 13 digits and nothing else.
    if (reading.fault || reading.digits.size() != kEan13Length || reading.digits != value ||
        !control.Valid()) {
        return std::nullopt;
    }
    return value;
}

Result<std::string> EncodePrintSymbol(const Barcode& control, render::FileFormat format) {
    const std::optional<std::string> number = PrintNumber(control);
    if (!number) {
        return Result<std::string>::Failure(
            ErrorKind::Input,
            "\"" + control.Value() +
                "\" has no symbol to print: only a complete, valid 13-digit number has one");
    }
    const Result<render::Layout> layout =
        render::LayOut(*number, render::ForFormat(render::Options{}, format));
    if (!layout) {
        return Result<std::string>::FailureOf(layout);
    }
    return render::Encode(*layout, format);
}

std::unique_ptr<QMimeData> PrintSymbolMimeData(const Barcode& control) {
    const Result<std::string> svg = EncodePrintSymbol(control, render::FileFormat::Svg);
    const Result<std::string> png = EncodePrintSymbol(control, render::FileFormat::Png);
    if (!svg || !png) {
        return nullptr;
    }
    auto data = std::make_unique<QMimeData>();
    data->setData(FromText(render::MediaTypeOf(render::FileFormat::Svg)), ToBytes(*svg));
    const QByteArray pngBytes = ToBytes(*png);
    data->setData(FromText(render::MediaTypeOf(render::FileFormat::Png)), pngBytes);
    // Qt offers an image in further formats of its own; image/png stays the bytes above, with
    // their resolution.
    QImage image;
    if (image.loadFromData(pngBytes, "PNG")) {
        data->setImageData(image);
    }
    return data;
}

}  // namespace varnholt::qt
