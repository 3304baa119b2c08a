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
        if (!QDir().mkpath(dir) || !AppIcon(size, 1).save(file, "PNG")) {
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

    // Every picture at scale 1, and again at 2 under its name with "@2x" for
    // high-density screens; the low-colour variants for 256-colour displays
    // exist at scale 1 only.
    for (const int scale : {1, 2}) {
        const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
        auto put = [&](const QString& name, const QImage& image, bool alsoLow = false) {
            save(name + suffix, image);
            if (alsoLow && scale == 1)
                save(name + QStringLiteral("_256"), LowColour(image));
        };
        put(QStringLiteral("JESTER1"), JesterPicture(1, scale), true);
        put(QStringLiteral("JESTER2"), JesterPicture(2, scale));
        put(QStringLiteral("JESTER3"), JesterPicture(3, scale));
        for (const QString& name : PreviewNames())
            put(name, GamePreview(name, scale), true);
        put(QStringLiteral("STARTUP"), StartupPicture(scale), true);
        put(QStringLiteral("SMALLPREV"), CardSizePreview(false, scale));
        put(QStringLiteral("LARGEPREV"), CardSizePreview(true, scale), true);
        put(QStringLiteral("WIN_AVI"), WinStrip(scale));
        put(QStringLiteral("INFOPIC"), InfoPicture(scale));
        put(QStringLiteral("APPICON"), AppIcon(64, scale));
        put(QStringLiteral("APPICON_32"), AppIcon(32, scale));
        put(QStringLiteral("HELPBTN"), HelpGlyph(scale));
    }

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
