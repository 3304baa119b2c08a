#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <array>
#include <cstdint>

class QPainter;

enum _CardSuit : std::uint8_t { FS_CLUBS = 0, FS_SPADES = 1, FS_DIAMONDS = 2, FS_HEARTS = 3 };
enum _CardValue : std::uint8_t {
    FS_ACE = 0,
    FS_TWO,
    FS_THREE,
    FS_FOUR,
    FS_FIVE,
    FS_SIX,
    FS_SEVEN,
    FS_EIGHT,
    FS_NINE,
    FS_TEN,
    FS_JACK,
    FS_QUEEN,
    FS_KING
};
enum _CardColor : std::uint8_t { FS_BLACK = 0, FS_RED = 1 };
enum _CardSize : std::uint8_t { FS_SMALL = 0, FS_LARGE = 1 };

// One playing card. The class also owns, once for the whole program, the
// composed images of every card at the current card size, composed for the
// screen's device pixel ratio: at ratio 2 a large face is a 160 x 250 picture
// that is drawn at 80 x 125 logical pixels.
class TCard {
public:
    static constexpr int LargeWidth = 80;
    static constexpr int LargeHeight = 125;
    static constexpr int SmallWidth = 61;
    static constexpr int SmallHeight = 95;
    static constexpr int NoSize = 2; // the card size before the first SetCardSize

    TCard();
    TCard(_CardSuit suit, _CardValue value);
    TCard(_CardSuit suit, _CardValue value, int faceUp);
    ~TCard();
    TCard(const TCard&) = delete;
    TCard& operator=(const TCard&) = delete;

    _CardSuit Suit;
    _CardValue Value;
    _CardColor Color;
    bool FaceUp;
    float PosY = 0.0f;
    float PosX = 0.0f;

    _CardColor GetCardColor();
    void Flip() { FaceUp = !FaceUp; }
    const QImage* GetCardBitmap() const;
    void DrawCardOnCanvas(QPoint at, QPainter& canvas) const;
    const QImage* GetBackImage(int index) const { return &Backs()[index]; }

    // Class-wide image management.
    static void LoadCardBitmaps(bool lowColor);
    static void LoadSmallCardBitmaps(bool lowColor);
    static void FreeCardBitmaps();
    static void SetCardSize(_CardSize size, bool lowColor);
    static int GetCardSize() { return s_cardSize; }
    static void SetBackIndex(int index) { s_backIndex = index; }
    static int GetBackIndex() { return s_backIndex; }
    static bool IsLoaded() { return s_loaded; }

    // The device pixel ratio the images are composed for (1 until set). A
    // change recomposes loaded images at once, the custom back included; a
    // ratio below 1, or none at all, counts as 1.
    static void SetDevicePixelRatio(qreal ratio);
    static qreal DevicePixelRatio() { return s_ratio; }

    // Width and height of a card at the current size (large for any size but small).
    static int Width() { return s_cardSize == FS_SMALL ? SmallWidth : LargeWidth; }
    static int Height() { return s_cardSize == FS_SMALL ? SmallHeight : LargeHeight; }

    // The custom back (entry 3), composed by the preferences.
    static void SetCustomBack(const QImage& image);
    static const QImage& FaceImage(_CardSuit suit, _CardValue value);
    static const QRect& PipRect(char letter);

    // The two pile marks (0 recycle, 1 empty), one card in size; the pile view
    // loads them, FreeCardBitmaps frees them with the card images.
    static std::array<QImage, 2>& PileMarks();
    static void LoadPileMarks(bool lowColor);

    // Number of card objects alive; lets tests prove that no deal leaks.
    static int LiveCount() { return s_live; }

private:
    static std::array<QImage, 4>& Backs();
    static void ComposeFaces(bool small, bool lowColor);
    static int SourceScale(bool lowColor);

    static int s_cardSize;
    static int s_backIndex;
    static bool s_loaded;
    static bool s_lowColor;
    static qreal s_ratio;
    static int s_live;
};
