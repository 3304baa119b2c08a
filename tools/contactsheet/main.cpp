// Writes every composed card face, back and pile mark, at both card sizes and
// in full and low colour, onto one PNG for looking the artwork over:
//   contactsheet sheet.png
#include "cards/TCard.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

constexpr int Gap = 6;
constexpr int LabelHeight = 18;
const QColor Table(0, 64, 0);

struct Block {
    _CardSize size;
    bool lowColor;
    const char* title;
};

QSize BlockSize(_CardSize size) {
    const int w = size == FS_SMALL ? TCard::SmallWidth : TCard::LargeWidth;
    const int h = size == FS_SMALL ? TCard::SmallHeight : TCard::LargeHeight;
    return {Gap + 13 * (w + Gap), LabelHeight + Gap + 5 * (h + Gap)};
}

// Draws the images that the card model holds now, starting at top.
void DrawBlock(QPainter& p, int top, const Block& block) {
    const int w = TCard::Width();
    const int h = TCard::Height();
    p.setPen(Qt::white);
    p.drawText(QRect(Gap, top, 600, LabelHeight), Qt::AlignVCenter, block.title);
    const int y0 = top + LabelHeight;
    for (int s = FS_CLUBS; s <= FS_HEARTS; ++s)
        for (int v = FS_ACE; v <= FS_KING; ++v)
            p.drawImage(QPoint(Gap + v * (w + Gap), y0 + Gap + s * (h + Gap)),
                        TCard::FaceImage(_CardSuit(s), _CardValue(v)));
    const int y = y0 + Gap + 4 * (h + Gap);
    TCard any;
    for (int b = 0; b < 4; ++b) {
        const QRect slot(Gap + b * (w + Gap), y, w, h);
        const QImage* back = any.GetBackImage(b);
        if (back->isNull()) {
            // The custom back is empty until the player picks a picture.
            p.setPen(QPen(QColor(0, 110, 0), 1, Qt::DashLine));
            p.drawRect(slot.adjusted(0, 0, -1, -1));
        } else {
            p.drawImage(slot.topLeft(), *back);
        }
    }
    for (int m = 0; m < 2; ++m)
        p.drawImage(QPoint(Gap + (5 + m) * (w + Gap), y), TCard::PileMarks()[m]);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("contactsheet.png");

    // The card model keeps its images when the size does not change, so each
    // block changes size to reload: large, small low, large low, small.
    const Block blocks[] = {{FS_LARGE, false, "Large cards"},
                            {FS_SMALL, true, "Small cards, low colour"},
                            {FS_LARGE, true, "Large cards, low colour"},
                            {FS_SMALL, false, "Small cards"}};
    int height = 0;
    for (const Block& b : blocks)
        height += BlockSize(b.size).height();
    QImage sheet(BlockSize(FS_LARGE).width(), height, QImage::Format_RGB32);
    sheet.fill(Table);
    QPainter p(&sheet);
    int top = 0;
    try {
        for (const Block& b : blocks) {
            TCard::SetCardSize(b.size, b.lowColor);
            DrawBlock(p, top, b);
            top += BlockSize(b.size).height();
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "contactsheet: %s\n", e.what());
        return 1;
    }
    p.end();
    TCard::FreeCardBitmaps();
    if (!sheet.save(out, "PNG")) {
        std::fprintf(stderr, "contactsheet: cannot write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}
