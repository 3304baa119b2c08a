#include "framework/TzBackground.h"

#include <QBrush>
#include <QColor>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

TzBackground::TzBackground(QWidget* owner) : QObject(owner), m_owner(owner) {
    Q_ASSERT(owner);
    SplitColors();
    m_owner->installEventFilter(this);
}

TzBackground::~TzBackground() = default;

qint64 TzBackground::MulDiv(qint64 a, qint64 b, qint64 c) {
    if (c == 0)
        return -1;
    const qint64 product = a * b;
    const bool negative = (product < 0) != (c < 0);
    const qint64 magnitude = (std::llabs(product) + std::llabs(c) / 2) / std::llabs(c);
    return negative ? -magnitude : magnitude;
}

QColor TzBackground::ToQColor(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

int TzBackground::FromQColor(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

void TzBackground::SetBackType(TzBackType backType) {
    if (backType == m_backType)
        return;
    m_backType = backType;
    Changed();
}

void TzBackground::SetBands(int bands) {
    bands = std::max(bands, 0);
    if (bands == m_bands)
        return;
    m_bands = bands;
    Changed();
}

void TzBackground::SetBitMap(const QImage& bitmap) {
    if (bitmap == m_bitmap)
        return;
    m_bitmap = bitmap;
    Changed();
}

void TzBackground::SetColor(int color) {
    if (color == m_color)
        return;
    m_color = color;
    Changed();
}

void TzBackground::SetEndColor(int color) {
    if (color == m_endColor)
        return;
    m_endColor = color;
    Changed();
}

void TzBackground::SetFillType(gradType fillType) {
    if (fillType == m_fillType)
        return;
    m_fillType = fillType;
    Changed();
}

void TzBackground::SetOnPaint(std::function<void(QObject*, QPainter&)> onPaint) {
    m_onPaint = std::move(onPaint);
}

void TzBackground::SetOnResize(std::function<void(QObject*)> onResize) {
    m_onResize = std::move(onResize);
}

void TzBackground::Changed() {
    SplitColors();
    m_dirty = true;
    m_owner->update();
    emit PictureChanged();
}

void TzBackground::SplitColors() {
    const QColor start = ToQColor(m_color);
    const QColor end = ToQColor(m_endColor);
    m_red = start.red();
    m_green = start.green();
    m_blue = start.blue();
    m_diffRed = end.red() - m_red;
    m_diffGreen = end.green() - m_green;
    m_diffBlue = end.blue() - m_blue;
}

bool TzBackground::PaintsPicture() const {
    return m_backType == btBlend || m_backType == btSteel || (m_backType == btBitmap && !m_bitmap.isNull());
}

const QImage& TzBackground::Picture() const {
    const QSize size = m_owner->size().expandedTo(QSize(1, 1));
    // As many pixels as the screen shows there: on a high-density screen the
    // picture holds more device pixels than logical ones.
    const qreal ratio = m_owner->devicePixelRatioF();
    if (m_dirty || m_pictureSize != size || m_picture.devicePixelRatio() != ratio) {
        m_picture = QImage(size * ratio, QImage::Format_RGB32);
        m_picture.setDevicePixelRatio(ratio);
        m_pictureSize = size;
        Render(m_picture);
        m_dirty = false;
    }
    return m_picture;
}

void TzBackground::Render(QImage& image) const {
    switch (m_backType) {
    case btBlend:
        RenderGradient(image);
        return;
    case btSteel: {
        // Any neutral pattern will do: a light grey crossed with a darker one.
        image.fill(QColor(0xB4, 0xB4, 0xB4));
        QPainter painter(&image);
        painter.fillRect(QRect(QPoint(0, 0), m_pictureSize),
                         QBrush(QColor(0x8C, 0x8C, 0x8C), Qt::Dense6Pattern));
        return;
    }
    case btBitmap:
        if (!m_bitmap.isNull()) {
            RenderTiles(image);
            return;
        }
        break;
    case btNormal:
        break;
    }
    // What the window shows by itself: its own colour.
    image.fill(m_owner->palette().color(m_owner->backgroundRole()));
}

void TzBackground::RenderGradient(QImage& image) const {
    const qint64 width = m_pictureSize.width();
    const qint64 height = m_pictureSize.height();
    QPainter painter(&image);
    auto bandColor = [this](qint64 i, qint64 steps) {
        if (steps == 0)
            return ToQColor(m_endColor);
        return QColor(int(m_red + MulDiv(i, m_diffRed, steps)), int(m_green + MulDiv(i, m_diffGreen, steps)),
                      int(m_blue + MulDiv(i, m_diffBlue, steps)));
    };

    if (m_fillType == gCenter) {
        // Concentric frames from the start colour at the edge; the last step is the
        // centre, filled with the end colour. Steps never outnumber half the width or
        // height, so the centre always keeps at least one pixel each way.
        const qint64 halfW = width / 2;
        const qint64 halfH = height / 2;
        const qint64 steps = std::min<qint64>({m_bands, halfW, halfH});
        const int dx = int(std::max<qint64>(1, steps ? halfW / steps : 1));
        const int dy = int(std::max<qint64>(1, steps ? halfH / steps : 1));
        QRect rect(QPoint(0, 0), m_pictureSize);
        for (qint64 i = 0; i + 1 < steps; ++i) {
            const QColor color = bandColor(i, steps - 1);
            const QRect inner = rect.adjusted(dx, dy, -dx, -dy);
            painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), dy), color);
            painter.fillRect(
                QRect(rect.left(), inner.bottom() + 1, rect.width(), rect.bottom() - inner.bottom()), color);
            painter.fillRect(QRect(rect.left(), inner.top(), dx, inner.height()), color);
            painter.fillRect(
                QRect(inner.right() + 1, inner.top(), rect.right() - inner.right(), inner.height()), color);
            rect = inner;
        }
        painter.fillRect(rect, ToQColor(m_endColor));
        return;
    }

    const bool vertical = m_fillType == gVert;
    const qint64 extent = vertical ? height : width;
    const qint64 count = qint64(m_bands) + 1;
    for (qint64 i = 0; i < count; ++i) {
        const qint64 from = MulDiv(i, extent, count);
        const qint64 to = MulDiv(i + 1, extent, count);
        if (to <= from)
            continue; // more bands than pixels
        const QColor color = bandColor(i, m_bands);
        if (vertical)
            painter.fillRect(QRect(0, int(from), int(width), int(to - from)), color);
        else
            painter.fillRect(QRect(int(from), 0, int(to - from), int(height)), color);
    }
}

void TzBackground::RenderTiles(QImage& image) const {
    // Starts from the window colour: a bitmap with transparency shows it through.
    image.fill(m_owner->palette().color(m_owner->backgroundRole()));
    QPainter painter(&image);
    // One pixel of the player's picture per logical pixel, smoothly enlarged
    // on a high-density screen.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int tileW = m_bitmap.width();
    const int tileH = m_bitmap.height();
    const int rows = m_pictureSize.height() / tileH;
    const int columns = m_pictureSize.width() / tileW;
    for (int row = 0; row <= rows; ++row)
        for (int column = 0; column <= columns; ++column)
            painter.drawImage(QPoint(column * tileW, row * tileH), m_bitmap);
}

bool TzBackground::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_owner)
        return false;
    switch (event->type()) {
    case QEvent::Resize:
        // Laid out again before any child paints with the new size.
        Picture();
        m_owner->update();
        emit PictureChanged();
        if (m_onResize)
            m_onResize(this);
        break;
    case QEvent::Paint: {
        if (m_owner->isMinimized())
            break;
        const bool paintsPicture = PaintsPicture();
        if (!paintsPicture && !m_onPaint)
            break; // the window paints its own colour
        QPainter painter(m_owner);
        if (paintsPicture) {
            const QRect area = static_cast<QPaintEvent*>(event)->rect();
            const QImage& picture = Picture();
            const qreal ratio = picture.devicePixelRatio();
            painter.drawImage(
                QRectF(area), picture,
                QRectF(area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio));
        }
        if (m_onPaint)
            m_onPaint(this, painter);
        break;
    }
    default:
        break;
    }
    // The window still gets every event and paints its own content on top.
    return false;
}
