// Build-time helper: writes the application icon drawn in code as the PNG
// files a desktop looks for, ICON_DIR/<N>x<N>/apps/orvex.png, and as the
// Windows program file's icon, ICO_FILE.
#include "WindowsIconFile.h"

#include "gui/Artwork.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fputs("usage: orvex-render-icons ICON_DIR ICO_FILE\n", stderr);
        return 64;
    }
    const QIcon icon = orvex::gui::applicationIcon();
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const int size : {16, 32, 48, 64, 128}) {
        const QString apps = folder + QStringLiteral("/%1x%1/apps").arg(size);
        if (!QDir().mkpath(apps) || !icon.pixmap(size, size).save(apps + QStringLiteral("/orvex.png"))) {
            std::fprintf(stderr, "cannot write the %dx%d icon into %s\n", size, size, qPrintable(apps));
            return 1;
        }
    }
    const QByteArray ico = orvex::app::windowsIconFile(icon, {16, 32, 48, 64, 128});
    QFile file(QString::fromLocal8Bit(argv[2]));
    if (ico.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(ico) != ico.size() || !file.flush()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        return 1;
    }
    return 0;
}
