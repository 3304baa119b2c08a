#pragma once

#include <QDialog>
#include <QImage>
#include <QList>

class QLabel;
class QPushButton;
class QTimer;
class TSoundManager;

// The window shown after every won game: the looping animation, the fanfare
// and three answers. Its result is QDialogButtonBox-like: Accepted ("OK, Great!"),
// NewGameResult ("New Game") or StatisticsResult ("Show Statistics...").
class TWinForm : public QDialog {
    Q_OBJECT

public:
    enum Result { OkResult = QDialog::Accepted, NewGameResult = 10, StatisticsResult = 11 };

    explicit TWinForm(TSoundManager* sound, QWidget* parent = nullptr);

    int Frame() const { return m_frame; }
    int FrameCount() const { return static_cast<int>(m_frames.size()); }
    void Advance(); // next frame of the animation (the timer's slot)

    QPushButton* Button1() const { return m_ok; }
    QPushButton* Button2() const { return m_newGame; }
    QPushButton* Button3() const { return m_statistics; }

private:
    QList<QImage> m_frames;
    int m_frame = 0;
    QLabel* m_animate = nullptr;
    QTimer* m_timer = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_newGame = nullptr;
    QPushButton* m_statistics = nullptr;
};
