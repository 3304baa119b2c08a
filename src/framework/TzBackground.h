#pragma once

#include <QImage>
#include <QObject>
#include <functional>

class QPainter;
class QWidget;

enum TzBackType { btBitmap, btBlend, btNormal, btSteel };
enum gradType { gHorz, gVert, gCenter };

// Paints its owner window's client area as a colour gradient, a tiled picture or
// the window's own colour, and keeps what it painted in Picture() so the pile
// views can paint the same background behind their cards. Owned by the window
// (Qt parent). Colours are 0x00BBGGRR integers, as the settings file keeps them.
class TzBackground : public QObject {
    Q_OBJECT
public:
    explicit TzBackground(QWidget* owner);
    ~TzBackground() override;

    TzBackType BackType() const { return m_backType; }
    void SetBackType(TzBackType backType);
    // Gradient steps minus one (so 255 gives 256 bands); never below 0.
    int Bands() const { return m_bands; }
    void SetBands(int bands);
    const QImage& BitMap() const { return m_bitmap; }
    void SetBitMap(const QImage& bitmap);
    int Color() const { return m_color; }
    void SetColor(int color);
    int EndColor() const { return m_endColor; }
    void SetEndColor(int color);
    gradType FillType() const { return m_fillType; }
    void SetFillType(gradType fillType);

    // Called after every painting of the background, with the window's painter.
    void SetOnPaint(std::function<void(QObject* sender, QPainter& canvas)> onPaint);
    // Called when the owner's size changes (the picture is already laid out again).
    void SetOnResize(std::function<void(QObject* sender)> onResize);

    // The background at the owner's current client size, always up to date,
    // drawn at the owner's device pixel ratio.
    const QImage& Picture() const;
    // True when the window shows Picture() (a gradient, the steel pattern or a
    // non-empty tiled bitmap); false when it shows its own colour.
    bool PaintsPicture() const;
    QWidget* Owner() const { return m_owner; }

    // a * b / c in 64 bits, rounded to the nearest integer, halves away from zero;
    // -1 when c is 0.
    static qint64 MulDiv(qint64 a, qint64 b, qint64 c);
    // 0x00BBGGRR to a colour and back.
    static QColor ToQColor(int bgr);
    static int FromQColor(const QColor& color);

signals:
    // The picture changed (new settings or a new size); the owner repaints anyway.
    void PictureChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Changed();
    void SplitColors();
    void Render(QImage& image) const;
    void RenderGradient(QImage& image) const;
    void RenderTiles(QImage& image) const;

    QWidget* m_owner;
    TzBackType m_backType = btBitmap;
    int m_bands = 255;
    QImage m_bitmap;
    int m_color = 0xFF00FF; // magenta
    int m_endColor = 0;
    gradType m_fillType = gVert;
    // The start colour's components and the signed differences end - start.
    int m_red = 0, m_green = 0, m_blue = 0;
    int m_diffRed = 0, m_diffGreen = 0, m_diffBlue = 0;

    std::function<void(QObject*, QPainter&)> m_onPaint;
    std::function<void(QObject*)> m_onResize;

    // Rebuilt lazily whenever the settings or the owner's size changed, so a
    // reader never sees a stale or wrong-sized picture (a hidden window may be
    // resized without a resize event until it is shown).
    mutable QImage m_picture;
    mutable QSize m_pictureSize; // in logical pixels
    mutable bool m_dirty = true;
};
