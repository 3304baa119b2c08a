#include "Art.h"

#include <QList>

#include <array>
#include <limits>

namespace Art {
namespace {

// The standard 16 VGA colours; fuchsia doubles as the transparent key.
constexpr std::array<QRgb, 16> Vga = {
    0xFF000000u, 0xFF800000u, 0xFF008000u, 0xFF808000u, 0xFF000080u, 0xFF800080u, 0xFF008080u, 0xFFC0C0C0u,
    0xFF808080u, 0xFFFF0000u, 0xFF00FF00u, 0xFFFFFF00u, 0xFF0000FFu, 0xFFFF00FFu, 0xFF00FFFFu, 0xFFFFFFFFu,
};
constexpr int KeyIndex = 13;

// Weighted distance: the eye is most sensitive to green, least to red.
int Distance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return 2 * dr * dr + 4 * dg * dg + 3 * db * db;
}

int Nearest(QRgb c) {
    if ((c | 0xFF000000u) == Key)
        return KeyIndex;
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < int(Vga.size()); ++i) {
        if (i == KeyIndex)
            continue;
        const int d = Distance(c, Vga[i]);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

} // namespace

QImage To16Colours(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QImage out(rgb.size(), QImage::Format_Indexed8);
    out.setColorTable(QList<QRgb>(Vga.begin(), Vga.end()));
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* line = out.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x)
            line[x] = uchar(Nearest(in[x]));
    }
    return out;
}

} // namespace Art
