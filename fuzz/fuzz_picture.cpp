// Arbitrary bytes as the player's picture files, under the names the preferences
// accept (.bmp, .png, .jpg, .pcx): the loader must answer, never crash, and never
// hand back a picture beyond its limits.

#include "shell/PictureLoader.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

QCoreApplication* s_app = nullptr;
QTemporaryDir* s_dir = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    s_app = new QCoreApplication(*argc, *argv); // image plugins are found through the application
    s_dir = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size == 0)
        return 0;
    static const char* const names[] = {"/custom.bmp", "/custom.png", "/custom.jpg", "/custom.pcx"};
    // The last byte picks the name, so every format sees every input.
    const QString path = s_dir->path() + QString::fromLatin1(names[bytes[size - 1] % 4]);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(bytes), static_cast<qint64>(size - 1));
    }
    const PictureLoader::Result result = PictureLoader::Load(path);
    if (result.status == PictureLoader::Status::Ok) {
        const QImage& image = result.image;
        if (image.isNull() || image.width() > PictureLoader::MaxSide ||
            image.height() > PictureLoader::MaxSide ||
            qint64(image.width()) * image.height() > PictureLoader::MaxPixels)
            std::abort();
    } else if (!result.image.isNull()) {
        std::abort();
    }
    QFile::remove(path);
    return 0;
}
