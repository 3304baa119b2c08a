#include "shell/PictureLoader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using PictureLoader::Status;

namespace {

QByteArray PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage Checker(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, (x + y) % 2 ? qRgb(200, 30, 40) : qRgb(10, 120, 250));
    return image;
}

void PutLe16(QByteArray& data, int at, quint16 value) {
    qToLittleEndian(value, data.data() + at);
}
void PutLe32(QByteArray& data, int at, quint32 value) {
    qToLittleEndian(value, data.data() + at);
}

// A PCX header for a picture of width x height with `planes` planes of 8 bits.
QByteArray PcxHeader(int width, int height, int planes) {
    QByteArray header(128, '\0');
    header[0] = 0x0A; // manufacturer
    header[1] = 5;    // version
    header[2] = 1;    // run-length encoding
    header[3] = 8;    // bits per pixel and plane
    PutLe16(header, 4, 0);
    PutLe16(header, 6, 0);
    PutLe16(header, 8, static_cast<quint16>(width - 1));
    PutLe16(header, 10, static_cast<quint16>(height - 1));
    PutLe16(header, 12, 72);
    PutLe16(header, 14, 72);
    header[65] = static_cast<char>(planes);
    PutLe16(header, 66, static_cast<quint16>((width + 1) & ~1));
    PutLe16(header, 68, 1);
    return header;
}

// Appends one plane row: every byte run-length encoded as a count of one, which is
// valid for any value and exercises the decoder's run handling.
void AppendEncodedRow(QByteArray& data, const QByteArray& row) {
    for (char byte : row) {
        data.append(static_cast<char>(0xC1));
        data.append(byte);
    }
}

// A 24-bit PCX (three planes per line) of `image`.
QByteArray Pcx24(const QImage& image) {
    const int lineBytes = (image.width() + 1) & ~1;
    QByteArray data = PcxHeader(image.width(), image.height(), 3);
    for (int y = 0; y < image.height(); ++y) {
        QByteArray red(lineBytes, '\0'), green(lineBytes, '\0'), blue(lineBytes, '\0');
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            red[x] = static_cast<char>(qRed(pixel));
            green[x] = static_cast<char>(qGreen(pixel));
            blue[x] = static_cast<char>(qBlue(pixel));
        }
        AppendEncodedRow(data, red);
        AppendEncodedRow(data, green);
        AppendEncodedRow(data, blue);
    }
    return data;
}

// An 8-bit palette PCX: pixel (x, y) has palette entry (x + y) % 3 of red, green, blue.
QByteArray Pcx8(int width, int height) {
    const int lineBytes = (width + 1) & ~1;
    QByteArray data = PcxHeader(width, height, 1);
    for (int y = 0; y < height; ++y) {
        QByteArray row(lineBytes, '\0');
        for (int x = 0; x < width; ++x)
            row[x] = static_cast<char>((x + y) % 3);
        AppendEncodedRow(data, row);
    }
    data.append(static_cast<char>(0x0C));
    QByteArray palette(768, '\0');
    palette[0] = static_cast<char>(255);     // 0: red
    palette[3 + 1] = static_cast<char>(255); // 1: green
    palette[6 + 2] = static_cast<char>(255); // 2: blue
    data.append(palette);
    return data;
}

// A BMP header that claims width x height pixels of 24 bits, with no pixel data behind it.
QByteArray HugeBmpHeader(int width, int height) {
    QByteArray data(54, '\0');
    data[0] = 'B';
    data[1] = 'M';
    PutLe32(data, 2, 54);
    PutLe32(data, 10, 54);
    PutLe32(data, 14, 40);
    PutLe32(data, 18, static_cast<quint32>(width));
    PutLe32(data, 22, static_cast<quint32>(height));
    PutLe16(data, 26, 1);
    PutLe16(data, 28, 24);
    return data;
}

// A PNG whose IHDR chunk (with a correct checksum) claims width x height pixels.
QByteArray HugePngHeader(quint32 width, quint32 height) {
    QByteArray data = PngBytes(Checker(2, 2));
    // IHDR data starts after the 8-byte signature, 4-byte length and 4-byte type.
    qToBigEndian(width, data.data() + 16);
    qToBigEndian(height, data.data() + 20);
    // zlib's CRC-32 of the chunk type and data.
    quint32 crc = 0xFFFFFFFFu;
    for (int i = 12; i < 29; ++i) {
        crc ^= static_cast<quint8>(data.at(i));
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    qToBigEndian(crc ^ 0xFFFFFFFFu, data.data() + 29);
    return data;
}

} // namespace

class TestPictureLoader : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write test file");
        return path;
    }

private slots:
    // Pictures Qt knows are read by content: BMP, PNG, and a PNG with a misleading extension.
    void qtFormatsLoadWhateverTheirExtension() {
        const QImage picture = Checker(5, 3);
        const QString bmp = m_dir.filePath("back.bmp");
        QVERIFY(picture.save(bmp, "BMP"));
        const QString png = Write("back.png", PngBytes(picture));
        const QString misnamed = Write("really-png.jpg", PngBytes(picture));
        for (const QString& path : {bmp, png, misnamed}) {
            const PictureLoader::Result result = PictureLoader::Load(path);
            QCOMPARE(result.status, Status::Ok);
            QCOMPARE(result.image.size(), QSize(5, 3));
            QCOMPARE(result.image.pixel(1, 0), qRgb(200, 30, 40));
            QCOMPARE(result.image.pixel(0, 0), qRgb(10, 120, 250));
        }
    }

    // PCX, which Qt lacks, decodes through GraphicsMagick in both of its common forms.
    void pcxPicturesWrittenHereLoad() {
        const QImage picture = Checker(7, 4);
        const PictureLoader::Result rgb = PictureLoader::Load(Write("rgb.pcx", Pcx24(picture)));
        QCOMPARE(rgb.status, Status::Ok);
        QCOMPARE(rgb.image.size(), QSize(7, 4));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 7; ++x)
                QCOMPARE(qRgb(qRed(rgb.image.pixel(x, y)), qGreen(rgb.image.pixel(x, y)),
                              qBlue(rgb.image.pixel(x, y))),
                         picture.pixel(x, y));

        const PictureLoader::Result indexed = PictureLoader::Load(Write("indexed.PCX", Pcx8(5, 2)));
        QCOMPARE(indexed.status, Status::Ok);
        QCOMPARE(indexed.image.size(), QSize(5, 2));
        QCOMPARE(indexed.image.pixel(0, 0) & 0xFFFFFF, 0xFF0000u);
        QCOMPARE(indexed.image.pixel(1, 0) & 0xFFFFFF, 0x00FF00u);
        QCOMPARE(indexed.image.pixel(2, 0) & 0xFFFFFF, 0x0000FFu);
        QCOMPARE(indexed.image.pixel(0, 1) & 0xFFFFFF, 0x00FF00u);
    }

    // A missing file and a GIF name are told apart from other failures; GIF is refused by name.
    void missingFilesAndGifNamesAreRefusedBeforeReading() {
        QCOMPARE(PictureLoader::Load(m_dir.filePath("nowhere.bmp")).status, Status::NotFound);
        QCOMPARE(PictureLoader::Load(QString()).status, Status::NotFound);
        QCOMPARE(PictureLoader::Load(m_dir.path()).status, Status::NotFound);
        const QByteArray png = PngBytes(Checker(2, 2));
        QCOMPARE(PictureLoader::Load(Write("a.gif", png)).status, Status::Gif);
        QCOMPARE(PictureLoader::Load(Write("b.GIF", png)).status, Status::Gif);
        QVERIFY(PictureLoader::IsGifName("x.gif"));
        QVERIFY(PictureLoader::IsGifName("x.GIF"));
        QVERIFY(!PictureLoader::IsGifName("x.gift"));
        QCOMPARE(PictureLoader::Explain(Status::Gif, "a.gif"), QString("GIF images are not supported."));
    }

    // Damaged and hostile files fail cleanly: nothing decoded, no crash, no hang.
    void damagedFilesFailWithoutCrashing() {
        QCOMPARE(PictureLoader::Load(Write("empty.bmp", {})).status, Status::Unsupported);
        QCOMPARE(PictureLoader::Load(Write("empty.pcx", {})).status, Status::Unsupported);
        QCOMPARE(PictureLoader::Load(Write("text.jpg", "This is a letter, not a picture.\n")).status,
                 Status::Unsupported);
        QCOMPARE(PictureLoader::Load(Write("script.pcx", "%!PS-Adobe-3.0\n0 0 moveto\nshowpage\n")).status,
                 Status::Unsupported);

        const QByteArray png = PngBytes(Checker(64, 64));
        const PictureLoader::Result truncated =
            PictureLoader::Load(Write("cut.png", png.left(png.size() / 2)));
        QCOMPARE(truncated.status, Status::Unsupported);
        QVERIFY(truncated.image.isNull());

        const QByteArray pcx = Pcx24(Checker(16, 16));
        QVERIFY(PictureLoader::Load(Write("cut.pcx", pcx.left(200))).status != Status::Ok);
        QVERIFY(PictureLoader::Load(Write("header-only.pcx", pcx.left(128))).status != Status::Ok);
    }

    // Headers that claim enormous pictures are refused before any pixel memory is taken.
    void hugeDimensionsAreRefusedBeforeDecoding() {
        // Qt's own BMP reader already refuses 30000 x 30000; beyond our bound but within
        // Qt's, the size check is ours.
        QVERIFY(PictureLoader::Load(Write("huge.bmp", HugeBmpHeader(30000, 30000))).status != Status::Ok);
        QCOMPARE(PictureLoader::Load(Write("big.bmp", HugeBmpHeader(16000, 16000))).status, Status::TooLarge);
        QCOMPARE(PictureLoader::Load(Write("huge.png", HugePngHeader(30000, 30000))).status,
                 Status::TooLarge);
        QCOMPARE(PictureLoader::Load(Write("wide.png", HugePngHeader(PictureLoader::MaxSide + 1, 1))).status,
                 Status::TooLarge);
        QByteArray pcx = PcxHeader(30000, 30000, 3);
        pcx.append(QByteArray(64, '\0'));
        QCOMPARE(PictureLoader::Load(Write("huge.pcx", pcx)).status, Status::TooLarge);

        // A file beyond the size bound is not even read (a sparse file costs no disk).
        const QString big = m_dir.filePath("big.pcx");
        QFile file(big);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(PictureLoader::MaxFileBytes + 1));
        file.close();
        QCOMPARE(PictureLoader::Load(big).status, Status::TooLarge);
        QVERIFY(PictureLoader::Explain(Status::TooLarge, big).contains(big));
    }

    // The card back keeps the blank card's outline and fills only the inner rectangle.
    void composingStretchesThePictureIntoTheInnerRectangle() {
        QImage border(80, 125, QImage::Format_RGB32);
        border.fill(qRgb(255, 255, 255));
        QImage picture(2, 2, QImage::Format_RGB32);
        picture.fill(qRgb(0, 0, 200));
        const QRect inner(QPoint(5, 5), QPoint(74, 119));
        const QImage card = PictureLoader::ComposeOnBorder(border, inner, picture);
        QCOMPARE(card.size(), QSize(80, 125));
        QCOMPARE(card.pixel(4, 4), qRgb(255, 255, 255));
        QCOMPARE(card.pixel(75, 120), qRgb(255, 255, 255));
        QCOMPARE(card.pixel(5, 5), qRgb(0, 0, 200));
        QCOMPARE(card.pixel(74, 119), qRgb(0, 0, 200));
        QCOMPARE(card.pixel(40, 60), qRgb(0, 0, 200));
    }
};

QTEST_MAIN(TestPictureLoader)
#include "tst_pictureloader.moc"
