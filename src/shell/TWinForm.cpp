#include "shell/TWinForm.h"

#include "cards/Resources.h"
#include "framework/TSoundManager.h"
#include "shell/ScreenCentre.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {
constexpr int FrameWidth = 376;
constexpr int FrameHeight = 154;
constexpr int Frames = 10;
} // namespace

TWinForm::TWinForm(TSoundManager* sound, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("WinForm"));
    setWindowTitle(QStringLiteral("You've Won!"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(376, 192);
    QFont font(QStringLiteral("Arial"));
    setFont(font);

    if (Resources::Exists(QStringLiteral("WIN_AVI"))) {
        // Drawn for the screen's density: a frame may hold more pixels than its logical size.
        const QImage strip = Resources::Picture(QStringLiteral("WIN_AVI"), devicePixelRatioF());
        const int frameWidth = strip.width() / Frames;
        for (int k = 0; k < Frames; ++k) {
            QImage frame = strip.copy(k * frameWidth, 0, frameWidth, strip.height());
            frame.setDevicePixelRatio(strip.devicePixelRatio());
            m_frames.append(frame);
        }
    }
    m_animate = new QLabel(this);
    m_animate->setObjectName(QStringLiteral("Animate1"));
    m_animate->setGeometry(0, 0, FrameWidth, FrameHeight);
    if (!m_frames.isEmpty())
        m_animate->setPixmap(QPixmap::fromImage(m_frames.first()));

    auto makeButton = [this](const char* name, const QString& text, QRect geometry, int result) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QString::fromUtf8(name));
        button->setGeometry(geometry);
        connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
        return button;
    };
    m_ok = makeButton("Button1", QStringLiteral("OK, Great!"), {31, 162, 97, 25}, OkResult);
    m_newGame = makeButton("Button2", QStringLiteral("New Game"), {137, 162, 97, 25}, NewGameResult);
    m_statistics =
        makeButton("Button3", QStringLiteral("Show Statistics..."), {244, 162, 106, 25}, StatisticsResult);
    m_ok->setDefault(true);
    m_ok->setFocus();

    CentreOnScreen(this, parent);

    m_timer = new QTimer(this);
    m_timer->setInterval(200);
    connect(m_timer, &QTimer::timeout, this, &TWinForm::Advance);
    m_timer->start();
    if (sound)
        sound->PlayWin();
}

void TWinForm::Advance() {
    if (m_frames.isEmpty())
        return;
    m_frame = (m_frame + 1) % static_cast<int>(m_frames.size());
    m_animate->setPixmap(QPixmap::fromImage(m_frames[m_frame]));
}
