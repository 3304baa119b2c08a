#include "shell/TApplication.h"

#include "cards/Random.h"
#include "cards/Resources.h"
#include "cards/TCard.h"
#include "framework/Messages.h"
#include "framework/Modal.h"
#include "framework/TGameForm.h"
#include "framework/TSoundManager.h"
#include "shell/THelp.h"
#include "shell/TPreferencesDlg.h"
#include "shell/TSolitaireForm.h"
#include "shell/TStatisticsDlg.h"
#include "shell/TSysRequirementsForm.h"
#include "shell/TWinForm.h"

#include <QIcon>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <clocale>
#include <exception>
#include <functional>
#include <utility>

// ---- TGuardedApplication ------------------------------------------------------

TGuardedApplication::TGuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {
}

bool TGuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportException(std::current_exception());
        return false;
    }
}

void TGuardedApplication::ReportException(const std::exception_ptr& error) {
    QString text;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        text = QString::fromLocal8Bit(e.what());
    } catch (...) {
        text = QStringLiteral("An unexpected error occurred.");
    }
    if (text.isEmpty())
        text = QStringLiteral("An unexpected error occurred.");
    TMessages::Instance().Error(nullptr, text);
}

namespace {

// Runs `then` once, as soon as the window has been painted for the first time
// (or after a short while when it never is, say when started minimized).
class FirstPaintWatcher : public QObject {
public:
    FirstPaintWatcher(QWindow* window, std::function<void()> then) : m_then(std::move(then)) {
        if (window)
            window->installEventFilter(this);
        QTimer::singleShot(FallbackMs, this, [this] { Fire(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            // Queued, so that the expose is answered with its paint first.
            QTimer::singleShot(0, this, [this] { Fire(); });
        }
        return false;
    }

private:
    static constexpr int FallbackMs = 300;

    void Fire() {
        if (auto then = std::exchange(m_then, nullptr))
            then();
    }

    std::function<void()> m_then;
};

} // namespace

// ---- TApplication --------------------------------------------------------------

TApplication::TApplication(std::unique_ptr<ISoundOutput> soundOutput, const CommandLine::TStart& start) {
    // 1. The application.
    QApplication::setApplicationName(QStringLiteral("Quintaro"));
    // Ties the windows to the installed desktop entry, and so to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUINTARO_APP_ID));
    // No display name: Qt would append it to every caption ("Quintaro!", "Klondike   Score: 5").
    if (Resources::Exists(QStringLiteral("APPICON")))
        QApplication::setWindowIcon(Resources::Icon(QStringLiteral("APPICON"), qApp->devicePixelRatio()));
    // The program ends when the selector closes, not when its last window happens to go.
    QApplication::setQuitOnLastWindowClosed(false);
    // Numbers are read and written with a point whatever the player's regional settings.
    std::setlocale(LC_NUMERIC, "C");

    // Card faces are composed once for the densest screen, before anything loads them.
    FollowScreenDensity();

    // 2. The selector's share of the start-up: the random sequence and the one sound player.
    TRandom::SeedFromClock();
    m_sound = std::make_unique<TSoundManager>(soundOutput ? std::move(soundOutput)
                                                          : TSoundManager::CreateDefaultOutput());
    BuildContext();
    m_selector = std::make_unique<TSolitaireForm>(*this);
    QObject::connect(m_selector.get(), &TSolitaireForm::Closed, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    m_selector->show();

    // 3. The preferences dialog, hidden until asked for: it reads the
    // preferences, plays "OPEN" and shows the tip of the day. The selector
    // needs none of that to show itself, so it comes once the selector is on
    // the screen. The requirements window and the statistics dialog are made
    // when first shown. A game named on the command line opens after them.
    FinishStartUpAfterFirstPaint(start);
}

void TApplication::FollowScreenDensity() {
    // Windows on a less dense screen draw the faces smoothly reduced.
    static const auto apply = [] {
        const qreal ratio = qApp->devicePixelRatio();
        if (qFuzzyCompare(ratio, TCard::DevicePixelRatio()))
            return;
        TCard::SetDevicePixelRatio(ratio);
        for (QWidget* window : QApplication::topLevelWidgets())
            window->update();
    };
    const auto watch = [](QScreen* screen) {
        QObject::connect(screen, &QScreen::logicalDotsPerInchChanged, qApp, [] { apply(); });
    };
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    QObject::connect(qApp, &QGuiApplication::screenAdded, qApp, [watch](QScreen* screen) {
        watch(screen);
        apply();
    });
    QObject::connect(
        qApp, &QGuiApplication::screenRemoved, qApp, [] { apply(); }, Qt::QueuedConnection);
    apply();
}

void TApplication::FinishStartUpAfterFirstPaint(const CommandLine::TStart& start) {
    m_startUpWatcher = std::make_unique<FirstPaintWatcher>(m_selector->windowHandle(), [this, start] {
        Preferences();
        if (start.Game >= 0 && m_selector)
            m_selector->OpenGame(start.Game, start.Large, start.Deal);
    });
}

TPreferencesDlg& TApplication::Preferences() const {
    if (!m_preferences) {
        m_preferences = std::make_unique<TPreferencesDlg>(m_sound.get());
        m_preferences->SetHelpHook([this](int context) { THelp::ShowTopic(m_preferences.get(), context); });
    }
    return *m_preferences;
}

TSysRequirementsForm& TApplication::Requirements() const {
    if (!m_requirements)
        m_requirements =
            std::make_unique<TSysRequirementsForm>([this](QWidget*) { Preferences().ShowModal(); });
    return *m_requirements;
}

TStatisticsDlg& TApplication::Statistics() const {
    if (!m_statistics)
        m_statistics = std::make_unique<TStatisticsDlg>(
            [this]() -> const TPreferences& { return m_context.CurrentPrefs(); },
            [this] { return m_selector->OpenGameIndex(); });
    return *m_statistics;
}

TApplication::~TApplication() {
    // Game windows use the context and the sound player: they go first,
    // without questions (the selector asked them already when it closed).
    // A window closed just before the end may still wait for its deferred deletion.
    // Their menus are top-level widgets too, deleted with them: collect first.
    QList<QPointer<TGameForm>> games;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* game = qobject_cast<TGameForm*>(window))
            games.append(game);
    }
    for (const QPointer<TGameForm>& game : games)
        delete game.data();
    m_startUpWatcher.reset();
    m_selector.reset();
    m_requirements.reset();
    m_statistics.reset();
    m_preferences.reset();
}

void TApplication::BuildContext() {
    m_context.Sound = m_sound.get();
    m_context.Prefs = [this]() -> const TPreferences& {
        // Once the selector is gone the program is ending: no dialog is made then.
        static const TPreferences defaults;
        return m_selector ? Preferences().Prefs() : m_preferences ? m_preferences->Prefs() : defaults;
    };
    m_context.BackgroundPicture = [this] {
        return m_preferences ? m_preferences->BackgroundPicture() : QImage();
    };
    m_context.ShowPreferences = [this](QWidget*) { Preferences().ShowModal(); };
    m_context.ShowStatistics = [this](QWidget*) { Statistics().ShowModal(); };
    m_context.ShowWinWindow = [this](QWidget* parent) {
        TWinForm win(m_sound.get(), parent);
        switch (Modal::Exec(win)) {
        case TWinForm::NewGameResult:
            return int(TAppContext::WinNewGame);
        case TWinForm::StatisticsResult:
            return int(TAppContext::WinShowStatistics);
        default:
            return int(TAppContext::WinOk);
        }
    };
    m_context.ShowHelp = [](QWidget* parent, int context) { THelp::ShowTopic(parent, context); };
    m_context.ShowHelpContents = [](QWidget* parent) { THelp::ShowContents(parent); };
    m_context.ShowAbout = [this](QWidget*) {
        if (m_selector)
            m_selector->Image1Click();
    };
    m_context.MinimizeApp = [this] {
        if (m_selector)
            m_selector->ApplicationMinimize();
    };
    m_context.SetGameWindowClosed = [this](bool mayClose) {
        if (m_selector)
            m_selector->SetGameWindowClosed(mayClose);
    };
    m_context.GameWindowDestroyed = [this](TGameForm* window) {
        if (m_selector)
            m_selector->GameWindowDestroyed(window);
    };
}
