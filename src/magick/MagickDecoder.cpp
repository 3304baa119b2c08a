// GraphicsMagick behind a module of its own: the library and everything it
// pulls in are loaded only when a player picks a picture that Qt cannot read,
// instead of at every start of the program.
#include <Magick++.h>
#include <QCoreApplication>
#include <QImage>
#include <mutex>

namespace {

void InitMagickOnce(qint64 maxSide, qint64 maxPixels) {
    static std::once_flag once;
    std::call_once(once, [maxSide, maxPixels] {
        const QByteArray self = QCoreApplication::instance()
                                    ? QCoreApplication::applicationFilePath().toLocal8Bit()
                                    : QByteArray();
        // The program keeps its own signal handling; the library must not install handlers.
        MagickLib::ExceptionInfo exception;
        MagickLib::GetExceptionInfo(&exception);
        MagickLib::InitializeMagickEx(self.isEmpty() ? nullptr : self.constData(),
                                      MAGICK_OPT_NO_SIGNAL_HANDER, &exception);
        MagickLib::DestroyExceptionInfo(&exception);
        // A second line of defence behind the ping below: the decoder itself
        // refuses anything larger than we would accept.
        MagickLib::SetMagickResourceLimit(MagickLib::WidthResource, maxSide);
        MagickLib::SetMagickResourceLimit(MagickLib::HeightResource, maxSide);
        MagickLib::SetMagickResourceLimit(MagickLib::PixelsResource, maxPixels);
    });
}

bool SizeAcceptable(qint64 width, qint64 height, qint64 maxSide, qint64 maxPixels) {
    return width > 0 && height > 0 && width <= maxSide && height <= maxSide && width * height <= maxPixels;
}

} // namespace

// Decodes `size` bytes in the named format into *out.
// Returns 0 when decoded, 1 when the picture is larger than allowed, 2 when it cannot be read.
extern "C" Q_DECL_EXPORT int QuintaroMagickDecode(const char* data, qint64 size, const char* format,
                                                  qint64 maxSide, qint64 maxPixels, QImage* out) {
    InitMagickOnce(maxSide, maxPixels);
    try {
        const Magick::Blob blob(data, static_cast<size_t>(size));
        Magick::Image probe;
        probe.quiet(true);
        probe.magick(format);
        probe.ping(blob);
        if (!SizeAcceptable(probe.columns(), probe.rows(), maxSide, maxPixels))
            return 1;

        Magick::Image picture;
        picture.quiet(true);
        picture.magick(format);
        picture.read(blob);
        const int width = static_cast<int>(picture.columns());
        const int height = static_cast<int>(picture.rows());
        if (!SizeAcceptable(width, height, maxSide, maxPixels))
            return 1;
        QImage image(width, height, QImage::Format_ARGB32);
        if (image.isNull())
            return 2;
        // "BGRA" bytes are exactly QImage's ARGB32 words on a little-endian machine.
        picture.write(0, 0, width, height, "BGRA", Magick::CharPixel, image.bits());
        *out = picture.matte() ? image : image.convertToFormat(QImage::Format_RGB32);
        return 0;
    } catch (const std::exception&) {
        return 2;
    }
}
