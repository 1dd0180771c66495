// kvxconf-icons FOLDER: writes the program's icon as kvxconf-<size>.png for every size the
// desktop uses and as kvxconf.ico for the Windows executable. Needs no display.
#include <QDir>
#include <QFile>
#include <cstdio>

#include "ui/main/ico_file.h"
#include "ui/main/program_icon.h"

int main(int argc, char* argv[])
{
    using namespace kvx::ui;
    if (argc != 2) {
        std::fprintf(stderr, "usage: kvxconf-icons FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "kvxconf-icons: cannot create %s\n", argv[1]);
        return 1;
    }
    std::vector<QImage> images;
    for (const int size : ProgramIconSizes) {
        images.push_back(ProgramIconImage(size));
        const QString png = folder.filePath(QString("kvxconf-%1.png").arg(size));
        if (!images.back().save(png, "PNG")) {
            std::fprintf(stderr, "kvxconf-icons: cannot write %s\n", qPrintable(png));
            return 1;
        }
    }
    QFile ico(folder.filePath("kvxconf.ico"));
    const QByteArray bytes = IcoFileOf(images);
    if (bytes.isEmpty() || !ico.open(QIODevice::WriteOnly) || ico.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "kvxconf-icons: cannot write %s\n", qPrintable(ico.fileName()));
        return 1;
    }
    return 0;
}
