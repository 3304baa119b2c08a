// Draws the shell's pictures (jester, previews, win animation, info picture,
// icons) into the given folder, with a resource list for rcc.
//
//     shellart <folder>
//     shellart --icons <folder> <application id>
//
// The second form draws the icons a desktop installation needs instead, in the
// layout of the hicolor theme: <folder>/hicolor/<n>x<n>/apps/<id>.png and
// <folder>/hicolor/scalable/apps/<id>.svg.
#include "Art.h"
#include "Pictures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>

using namespace shellart;

namespace {

int WriteDesktopIcons(const QString& out, const QString& id) {
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(out).arg(size);
        const QString file = dir + QLatin1Char('/') + id + QStringLiteral(".png");
        if (!QDir().mkpath(dir) || !AppIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "shellart: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    const QString dir = out + QStringLiteral("/hicolor/scalable/apps");
    const QString file = dir + QLatin1Char('/') + id + QStringLiteral(".svg");
    if (!QDir().mkpath(dir) || !WriteScalableIcon(file)) {
        std::fprintf(stderr, "shellart: cannot write %s\n", qPrintable(file));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "--icons") {
        if (argc != 4) {
            std::fprintf(stderr, "usage: shellart --icons <folder> <application id>\n");
            return 2;
        }
        return WriteDesktopIcons(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    if (!QDir().mkpath(out))
        return 1;

    QStringList files;
    // Opaque pictures are bitmaps: the selector shows them at start-up and at
    // every choice, and a bitmap reads several times faster than a PNG.
    auto save = [&](const QString& name, const QImage& image) {
        const bool opaque = !image.hasAlphaChannel();
        const QString file = name + (opaque ? QStringLiteral(".bmp") : QStringLiteral(".png"));
        if (image.isNull() || !image.save(out + QLatin1Char('/') + file, opaque ? "BMP" : "PNG")) {
            std::fprintf(stderr, "shellart: cannot write %s\n", qPrintable(file));
            std::exit(1);
        }
        files << file;
    };
    // Full colour and the low-colour variant for 256-colour displays.
    auto saveBoth = [&](const QString& name, const QImage& image) {
        save(name, image);
        save(name + QStringLiteral("_256"), LowColour(image));
    };

    const QImage jester = JesterPicture(1);
    saveBoth(QStringLiteral("JESTER1"), jester);
    save(QStringLiteral("JESTER2"), JesterPicture(2));
    save(QStringLiteral("JESTER3"), JesterPicture(3));
    for (const QString& name : PreviewNames())
        saveBoth(name, GamePreview(name));
    saveBoth(QStringLiteral("STARTUP"), StartupPicture());
    save(QStringLiteral("SMALLPREV"), CardSizePreview(false));
    saveBoth(QStringLiteral("LARGEPREV"), CardSizePreview(true));
    save(QStringLiteral("WIN_AVI"), WinStrip());
    save(QStringLiteral("INFOPIC"), InfoPicture());
    save(QStringLiteral("APPICON"), AppIcon(64));
    save(QStringLiteral("APPICON_32"), AppIcon(32));
    save(QStringLiteral("HELPBTN"), HelpGlyph());

    QFile qrc(out + QStringLiteral("/shellart.qrc"));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    QTextStream qs(&qrc);
    qs << "<RCC>\n  <qresource prefix=\"/res\">\n";
    for (const QString& file : files)
        qs << "    <file>" << file << "</file>\n";
    qs << "  </qresource>\n</RCC>\n";
    return 0;
}
