// Writes every composed card face, back and pile mark, at both card sizes and
// in full and low colour, with a fanned column of each suit, onto one PNG for
// looking the artwork over; and the same sheet again composed for a screen of
// device pixel ratio 2:
//   contactsheet sheet.png      writes sheet.png and sheet@2x.png
#include "cards/TCard.h"

#include <QFileInfo>
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

int FanStep(_CardSize size) {
    return size == FS_SMALL ? 16 : 20; // the tableau columns' step
}

QSize BlockSize(_CardSize size) {
    const int w = size == FS_SMALL ? TCard::SmallWidth : TCard::LargeWidth;
    const int h = size == FS_SMALL ? TCard::SmallHeight : TCard::LargeHeight;
    const int fan = 12 * FanStep(size) + h;
    return {Gap + 13 * (w + Gap), LabelHeight + Gap + 5 * (h + Gap) + fan + Gap};
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
    // Each suit fanned as a tableau column shows it: only the tops tell the cards apart.
    const int fanTop = y + h + Gap;
    for (int s = FS_CLUBS; s <= FS_HEARTS; ++s)
        for (int v = FS_ACE; v <= FS_KING; ++v) {
            const TCard card(_CardSuit(s), _CardValue(v), 1);
            card.DrawCardOnCanvas(QPoint(Gap + s * (w + Gap), fanTop + v * FanStep(block.size)), p);
        }
}

bool WriteSheet(const QString& out, qreal ratio) {
    TCard::SetDevicePixelRatio(ratio);
    // The card model keeps its images when the size does not change, so each
    // block changes size to reload: large, small low, large low, small.
    const Block blocks[] = {{FS_LARGE, false, "Large cards"},
                            {FS_SMALL, true, "Small cards, low colour"},
                            {FS_LARGE, true, "Large cards, low colour"},
                            {FS_SMALL, false, "Small cards"}};
    int height = 0;
    for (const Block& b : blocks)
        height += BlockSize(b.size).height();
    const QSize logical(BlockSize(FS_LARGE).width(), height);
    QImage sheet(logical * ratio, QImage::Format_RGB32);
    sheet.setDevicePixelRatio(ratio);
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
        return false;
    }
    p.end();
    TCard::FreeCardBitmaps();
    if (!sheet.save(out, "PNG")) {
        std::fprintf(stderr, "contactsheet: cannot write %s\n", qPrintable(out));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("contactsheet.png");
    const QFileInfo info(out);
    const QString base = info.path() + QLatin1Char('/') + info.completeBaseName();
    return WriteSheet(out, 1.0) && WriteSheet(base + QStringLiteral("@2x.png"), 2.0) ? 0 : 1;
}
