#include "cards/Resources.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QPixmap>
#include <algorithm>

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

// The scale a name's "@<scale>x" ending gives, else 1.
int ScaleOf(const QString& name) {
    const int at = name.lastIndexOf(QLatin1Char('@'));
    if (at < 0 || !name.endsWith(QLatin1Char('x'), Qt::CaseInsensitive))
        return 1;
    bool ok = false;
    const int scale = name.mid(at + 1, name.size() - at - 2).toInt(&ok);
    return ok && scale > 1 ? scale : 1;
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
    QImage image = reader.read();
    if (image.isNull())
        throw EResNotFound(name);
    // A drawing for a high-density screen says so itself, whatever Qt makes
    // of the "@2x" in its file name.
    image.setDevicePixelRatio(ScaleOf(QFileInfo(path).completeBaseName()));
    return image;
}

QString ScaledName(const QString& name, int scale) {
    return scale <= 1 ? name : name + QStringLiteral("@%1x").arg(scale);
}

int BestScale(const QString& name, qreal ratio) {
    // A hair above 1 (rounding in the platform's figures) is still 1.
    if (!(ratio > 1.01))
        return 1;
    constexpr int Drawn[] = {2, 3, 4};
    int best = 1;
    for (const int scale : Drawn) {
        if (!Exists(ScaledName(name, scale)))
            continue;
        best = scale;
        if (scale + 0.01 >= ratio)
            break;
    }
    return best;
}

QImage Resized(const QImage& image, int scale, qreal ratio) {
    if (image.isNull())
        return image;
    QImage out = image;
    if (!(ratio > 0) || qAbs(ratio - scale) < 0.01) {
        out.setDevicePixelRatio(scale);
        return out;
    }
    const QSize logical(qRound(qreal(image.width()) / scale), qRound(qreal(image.height()) / scale));
    const QSize target(std::max(1, qRound(logical.width() * ratio)),
                       std::max(1, qRound(logical.height() * ratio)));
    // Premultiplied first, so that no colour bleeds out of transparent pixels.
    if (image.hasAlphaChannel())
        out = out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    out = out.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    out.setDevicePixelRatio(ratio);
    return out;
}

QIcon Icon(const QString& name, qreal ratio) {
    QIcon icon;
    const int best = BestScale(name, ratio);
    for (int scale = 1; scale <= best; ++scale) {
        const QString scaled = ScaledName(name, scale);
        if (!Exists(scaled))
            continue;
        QPixmap pixmap = QPixmap::fromImage(Image(scaled));
        pixmap.setDevicePixelRatio(scale);
        icon.addPixmap(pixmap);
    }
    return icon;
}

QImage Picture(const QString& name, qreal ratio) {
    const int scale = BestScale(name, ratio);
    return Resized(Image(ScaledName(name, scale)), scale, std::max<qreal>(1.0, ratio));
}

} // namespace Resources
