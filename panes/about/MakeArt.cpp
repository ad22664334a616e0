// quillix_art: writes the program's pictures as PNG files into a folder
// (resources/icons/ of the source tree keeps the result).
//   quillix_art <folder>

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

#include "panes/about/ProgramArt.h"

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quillix_art <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    for (int size : {16, 32, 48, 256})
        ok = DrawProgramIcon(size).save(folder.filePath(QStringLiteral("quillix-%1.png").arg(size))) && ok;
    ok = DrawAboutBanner().save(folder.filePath(QStringLiteral("about-banner.png"))) && ok;
    if (!ok)
        std::fprintf(stderr, "quillix_art: could not write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
