#include "support/GameFixture.h"

#include "cards/TCard.h"

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
