// Build-time helper: writes the application icon drawn in code as the PNG
// files a desktop looks for: OUTPUT_DIR/<N>x<N>/apps/orvex.png.
#include "gui/Artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: orvex-render-icons OUTPUT_DIR\n", stderr);
        return 64;
    }
    const QIcon icon = orvex::gui::applicationIcon();
    for (const int size : {16, 32, 48, 64, 128}) {
        const QString folder = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/%1x%1/apps").arg(size);
        if (!QDir().mkpath(folder) || !icon.pixmap(size, size).save(folder + QStringLiteral("/orvex.png"))) {
            std::fprintf(stderr, "cannot write the %dx%d icon into %s\n", size, size, qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
