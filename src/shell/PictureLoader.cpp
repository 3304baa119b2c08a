#include "shell/PictureLoader.h"

#include "framework/core/Modules.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace PictureLoader {
namespace {

bool SizeAcceptable(qint64 width, qint64 height) {
    return width > 0 && height > 0 && width <= MaxSide && height <= MaxSide && width * height <= MaxPixels;
}

using MagickDecode = int (*)(const char*, qint64, const char*, qint64, qint64, QImage*);

MagickDecode LoadMagickDecoder() {
    static const MagickDecode decode = Modules::Find<MagickDecode>("quintaro_magick", "QuintaroMagickDecode");
    return decode;
}

// Formats that Qt has no reader for and that GraphicsMagick decodes from its own
// code, recognised by their signatures. Anything else it might recognise
// (scripts, vector and document formats that call out to other programs) is
// never handed to it.
const char* MagickFormat(const QByteArray& data) {
    if (data.size() < 4)
        return nullptr;
    const auto byte = [&data](int i) { return static_cast<quint8>(data.at(i)); };
    const quint32 be = quint32(byte(0)) << 24 | quint32(byte(1)) << 16 | quint32(byte(2)) << 8 | byte(3);
    // PCX: manufacturer 10, a known version, no or run-length encoding, 1-8 bits per plane.
    if (byte(0) == 0x0A && (byte(1) <= 5 && byte(1) != 1) && byte(2) <= 1 &&
        (byte(3) == 1 || byte(3) == 2 || byte(3) == 4 || byte(3) == 8))
        return "PCX";
    if (be == 0xB168DE3Au)
        return "DCX";
    if (be == 0x59A66A95u)
        return "SUN";
    if (data.startsWith("8BPS"))
        return "PSD";
    if ((be >> 16) == 0x01DAu)
        return "SGI";
    return nullptr;
}

Result LoadWithQt(QIODevice& device) {
    QImageReader reader(&device);
    const QSize size = reader.size();
    if (size.isValid() && !SizeAcceptable(size.width(), size.height()))
        return {Status::TooLarge, {}};
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return {Status::Unsupported, {}};
    if (!SizeAcceptable(image.width(), image.height()))
        return {Status::TooLarge, {}};
    if (!image.hasAlphaChannel())
        return {Status::Ok, image.convertToFormat(QImage::Format_RGB32)};
    return {Status::Ok, image.convertToFormat(QImage::Format_ARGB32)};
}

Result LoadWithMagick(const QByteArray& data) {
    const char* detected = MagickFormat(data);
    if (!detected)
        return {Status::Unsupported, {}};
    if (qstrcmp(detected, "PCX") == 0 && data.size() >= 12) {
        // The header's window gives the size without asking the decoder.
        const auto word = [&data](int at) {
            return qint64(quint8(data.at(at))) | qint64(quint8(data.at(at + 1))) << 8;
        };
        if (!SizeAcceptable(word(8) - word(4) + 1, word(10) - word(6) + 1))
            return {Status::TooLarge, {}};
    }
    const MagickDecode decode = LoadMagickDecoder();
    if (!decode)
        return {Status::Unsupported, {}};
    QImage image;
    switch (decode(data.constData(), data.size(), detected, MaxSide, MaxPixels, &image)) {
    case 0:
        return {Status::Ok, image};
    case 1:
        return {Status::TooLarge, {}};
    default:
        return {Status::Unsupported, {}};
    }
}

} // namespace

bool IsGifName(const QString& path) {
    return path.endsWith(".gif") || path.endsWith(".GIF");
}

Result Load(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile())
        return {Status::NotFound, {}};
    if (IsGifName(path))
        return {Status::Gif, {}};
    if (info.size() > MaxFileBytes)
        return {Status::TooLarge, {}};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return {Status::Unsupported, {}};
    // Qt's readers are chosen by content, never by the file's extension.
    if (!QImageReader::imageFormat(&file).isEmpty())
        return LoadWithQt(file);

    return LoadWithMagick(file.readAll());
}

QString Explain(Status status, const QString& path) {
    switch (status) {
    case Status::Ok:
        return {};
    case Status::NotFound:
        return "The image file " + path + " was not found.";
    case Status::Gif:
        return QStringLiteral("GIF images are not supported.");
    case Status::TooLarge:
        return "The image " + path + " is too large. Pictures of at most " + QString::number(MaxSide) +
               " pixels in width and height can be used.";
    case Status::Unsupported:
        break;
    }
    return "The image " + path + " could not be read. It is damaged or not in a supported format.";
}

QImage ComposeOnBorder(const QImage& border, const QRect& inner, const QImage& picture) {
    // A blank with smooth corners keeps them in its alpha channel.
    QImage card = border.convertToFormat(border.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                  : QImage::Format_RGB32);
    QPainter painter(&card);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(inner, picture);
    painter.end();
    return card;
}

} // namespace PictureLoader
