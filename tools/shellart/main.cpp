// Placeholder generator; replaced by the shell artwork generator.
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
    img.save(out + "/STARTUP.png");
    QFile qrc(out + "/shellart.qrc");
    if (!qrc.open(QIODevice::WriteOnly))
        return 1;
    QTextStream(&qrc) << "<RCC><qresource prefix=\"/res\"><file>STARTUP.png</file></qresource></RCC>\n";
    return 0;
}
