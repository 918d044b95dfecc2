#include "render/QrCode.h"

#include <qrencode.h>

#include <memory>
#include <string>

namespace varnholt {
namespace {

struct CodeDeleter {
    void operator()(QRcode* code) const noexcept { QRcode_free(code); }
};

Result<ModuleGrid> Refuse(std::string message) {
    return Result<ModuleGrid>::Failure(ErrorKind::Input, "QR code: " + std::move(message));
}

QRecLevel LevelOf(QrErrorCorrection level) {
    switch (level) {
        case QrErrorCorrection::L:
            return QR_ECLEVEL_L;
        case QrErrorCorrection::Q:
            return QR_ECLEVEL_Q;
        case QrErrorCorrection::H:
            return QR_ECLEVEL_H;
        case QrErrorCorrection::M:
            break;
    }
    return QR_ECLEVEL_M;
}

constexpr const char* kLevelNames = "LMQH";

}  // namespace

Result<ModuleGrid> EncodeQrText(std::string_view text, QrErrorCorrection level) {
    if (text.empty()) {
        return Refuse("no text to encode");
    }
    if (text.find('\0') != std::string_view::npos) {
        return Refuse("the text holds a NUL byte");
    }
    // The library takes a C string; version 0 asks for the smallest that holds the text.
    const std::string terminated(text);
    const std::unique_ptr<QRcode, CodeDeleter> code(
        QRcode_encodeString(terminated.c_str(), 0, LevelOf(level), QR_MODE_8, 1));
    if (!code) {
        return Refuse(std::to_string(text.size()) + " bytes do not fit version 40 at level " +
                      kLevelNames[static_cast<int>(level)]);
    }
    ModuleGrid grid;
    grid.width = grid.height = static_cast<std::size_t>(code->width);
    grid.modules.resize(grid.width * grid.height);
    // Bit 0 of each of the library's bytes is the module's colour; the others say its role.
    for (std::size_t i = 0; i < grid.modules.size(); ++i) {
        grid.modules[i] = code->data[i] & 1U;
    }
    return grid;
}

}  // namespace varnholt
