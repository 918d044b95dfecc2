#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "cli/CommandLine.h"
#include "cli/Streams.h"
#include "demo/FormVarnholtWindow.h"
#include "model/Version.h"

namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace

int main(int argc, char* argv[]) {
    // Any argument makes this the command line, which needs no display and starts no Qt.
    if (argc > 1) {
        return varnholt::cli::Run(argc, argv);
    }
    // Without a display Qt would abort with little explanation; say what is missing instead.
    if (!IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY") && !IsSet("QT_QPA_PLATFORM")) {
        std::fputs(
            "varnholt: no display to open the window on (neither DISPLAY nor "
            "WAYLAND_DISPLAY is set); see 'varnholt --help' for the command line\n",
            stderr);
        return varnholt::cli::kExitFailure;  // the environment's fault, as without the window
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnholt"));
    QApplication::setApplicationDisplayName(QStringLiteral("Varnholt"));
    QApplication::setApplicationVersion(QString::fromLatin1(
        varnholt::kVersion.data(), static_cast<qsizetype>(varnholt::kVersion.size())));

    varnholt::FormVarnholtWindow window;
    window.show();
    return QApplication::exec();
}
