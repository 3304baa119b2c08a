#pragma once

#include <QImage>
#include <QString>

// Reads the player's own picture files (custom card back, tiled background).
// Qt's readers handle what they know (BMP, PNG, JPEG, ...); GraphicsMagick
// decodes the rest (PCX above all). Every file is treated as hostile: the
// dimensions are checked before any pixels are decoded.
namespace PictureLoader {

// Largest accepted width and height, and largest accepted pixel count.
constexpr int MaxSide = 8192;
constexpr qint64 MaxPixels = qint64(MaxSide) * MaxSide / 2;
// Larger files are not even read into memory.
constexpr qint64 MaxFileBytes = 256LL * 1024 * 1024;

enum class Status {
    Ok,
    NotFound,    // no such file
    Gif,         // GIF is refused by extension
    Unsupported, // not a picture, damaged, or in no format we decode
    TooLarge,    // dimensions or file size beyond the limits above
};

struct Result {
    Status status = Status::Unsupported;
    QImage image; // Format_ARGB32 or Format_RGB32 when status is Ok
};

// True for ".gif" and ".GIF" (the forms that are refused).
bool IsGifName(const QString& path);

Result Load(const QString& path);

// A one-line explanation of a failed load, for a message box.
QString Explain(Status status, const QString& path);

// Stretches `picture` into the face area of a blank card: `border` is the blank
// card, `inner` the rectangle inside its outline that the picture fills, in
// the blank's logical pixels (a blank for a high-density screen has more).
QImage ComposeOnBorder(const QImage& border, const QRect& inner, const QImage& picture);

} // namespace PictureLoader
