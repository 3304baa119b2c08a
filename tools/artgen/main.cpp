// Placeholder generator; replaced by the real card artwork generator.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    QImage img(80, 125, QImage::Format_RGB32);
    img.fill(Qt::white);
    img.save(out + "/FS_BORDER.png");
    QFile qrc(out + "/art.qrc");
    if (!qrc.open(QIODevice::WriteOnly))
        return 1;
    QTextStream(&qrc) << "<RCC><qresource prefix=\"/res\"><file>FS_BORDER.png</file></qresource></RCC>\n";
    return 0;
}
