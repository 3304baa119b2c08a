// Placeholder generator; replaced by the real sound synthesiser.
#include <QDir>
#include <QFile>
#include <QTextStream>

int main(int argc, char* argv[]) {
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    QFile qrc(out + "/sounds.qrc");
    if (!qrc.open(QIODevice::WriteOnly))
        return 1;
    QTextStream(&qrc) << "<RCC><qresource prefix=\"/res\"></qresource></RCC>\n";
    return 0;
}
