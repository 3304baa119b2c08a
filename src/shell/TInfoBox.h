#pragma once

#include <QDialog>
#include <QImage>
#include <array>

class QLabel;
class QPushButton;
class QTimer;
class TSoundManager;

// The information (about) box opened from the selector's jester: the name and
// version, a swinging jester, a large picture and the credit lines. It is not
// modal, there is at most one, and closing destroys it.
class TInfoBox : public QDialog {
    Q_OBJECT
public:
    // Creates the box when none exists (playing "JESTER"), else brings the
    // existing one to the front. `sounds` may be null.
    static TInfoBox* ShowInfoBox(QWidget* parent, bool lowColor, TSoundManager* sounds);
    // The open box, or null.
    static TInfoBox* Instance();

    // The jester's program-wide step (0-3); it survives closing and reopening.
    static int Step();

    enum Frame { FrameA = 0, FrameB = 1, FrameC = 2 };
    // The frame the jester shows now.
    Frame CurrentFrame() const { return m_current; }
    const QImage& FrameImage(Frame frame) const { return m_frames[frame]; }
    QTimer* Timer() const { return m_timer; }

    ~TInfoBox() override;

public slots:
    // Draws the next frame of the swing C, B, A, B and advances the step.
    void Timer1Timer();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TInfoBox(QWidget* parent, bool lowColor, TSoundManager* sounds);
    void ShowFrame(Frame frame);

    std::array<QImage, 3> m_frames;
    Frame m_current = FrameB;
    QLabel* m_image1 = nullptr;
    QTimer* m_timer = nullptr;
};
