// Writes the program icon as PNG files in the hicolor theme's layout:
// <folder>/<size>x<size>/apps/tezdesk.png for every size named on the command line.
#include "resources/Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: tezdesk_make_icons <folder> <size>...\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = QString::fromLatin1(argv[i]).toInt();
        if (size <= 0) {
            std::fprintf(stderr, "tezdesk_make_icons: not a size: %s\n", argv[i]);
            return 2;
        }
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString file = dir + QStringLiteral("/tezdesk.png");
        const QPixmap pixmap = ProgramIcon().pixmap(size, size);
        if (!QDir().mkpath(dir) || pixmap.width() != size || !pixmap.save(file, "PNG")) {
            std::fprintf(stderr, "tezdesk_make_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
