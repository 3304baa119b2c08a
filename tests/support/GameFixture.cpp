#include "support/GameFixture.h"

#include "cards/TCard.h"
#include "games/GameRegistry.h"

#include <QTest>

GameFixture::GameFixture() {
    TCard::SetCardSize(FS_LARGE, false);
    m_sound = FakeSoundOutput::MakeManager(&Sounds);
    Prefs.DoAnimation = false;
    // Game tests check the window as specified; those of the menu bar and the rest switch it on.
    Prefs.ShowMenuBar = false;
    Context.Sound = m_sound.get();
    Context.Prefs = [this]() -> const TPreferences& { return Prefs; };
    Context.BackgroundPicture = [] { return QImage(); };
    Context.ShowWinWindow = [this](QWidget*) {
        ++WinWindows;
        return WinAnswer;
    };
    Context.ShowStatistics = [this](QWidget*) { ++StatisticsShown; };
    Context.ShowHelp = [this](QWidget*, int topic) { HelpTopics << topic; };
}

GameFixture::~GameFixture() = default;

std::unique_ptr<TGameForm> OpenGameWindow(GameFixture& fx, int game, bool small, bool show) {
    TCard::SetCardSize(small ? FS_SMALL : FS_LARGE, false);
    const TGameFactory& factory = GameFactory(game);
    std::unique_ptr<TGameForm> form((small ? factory.Small : factory.Large)(fx.Context, nullptr));
    form->setAttribute(Qt::WA_DeleteOnClose, false);
    if (!show)
        return form;
    form->show();
    form->activateWindow();
    return QTest::qWaitForWindowActive(form.get()) ? std::move(form) : nullptr;
}
