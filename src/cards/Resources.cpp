#include "cards/Resources.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

namespace Resources {
namespace {

// Upper-cased base name -> resource path, built once from everything rcc compiled in.
const QHash<QString, QString>& Index() {
    static const QHash<QString, QString> index = [] {
        QHash<QString, QString> map;
        QDirIterator it(QStringLiteral(":/res"), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            map.insert(QFileInfo(path).completeBaseName().toUpper(), path);
        }
        return map;
    }();
    return index;
}

} // namespace

QString Path(const QString& name) {
    return Index().value(name.toUpper());
}

bool Exists(const QString& name) {
    return Index().contains(name.toUpper());
}

QImage Image(const QString& name) {
    const QString path = Path(name);
    if (path.isEmpty())
        throw EResNotFound(name);
    // The format is known from the name; letting Qt guess it would load every
    // image plugin on the system first.
    QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull())
        throw EResNotFound(name);
    return image;
}

} // namespace Resources
