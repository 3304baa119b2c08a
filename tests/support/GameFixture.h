#pragma once

#include "framework/AppContext.h"
#include "framework/Messages.h"
#include "support/FakeSoundOutput.h"
#include "support/TestSupport.h"

#include <QStringList>
#include <memory>

// Answers every message box and records what was asked.
class FakeMessages : public TMessages {
public:
    FakeMessages() { TMessages::SetInstance(this); }
    ~FakeMessages() override { TMessages::SetInstance(nullptr); }

    bool Confirm(QWidget*, const QString& text) override {
        Asked << text;
        return Answer;
    }
    void Warning(QWidget*, const QString& text) override { Warnings << text; }
    void Error(QWidget*, const QString& text) override { Errors << text; }

    bool Answer = true; // OK
    QStringList Asked;
    QStringList Warnings;
    QStringList Errors;
};

// Everything a game window needs in a test: a settings folder of its own,
// recorded sounds and message boxes, preferences the test can change, and the
// shell's windows answered by the test.
class GameFixture {
public:
    GameFixture();
    ~GameFixture();

    TAppContext Context;
    TPreferences Prefs;
    FakeSoundOutput* Sounds = nullptr;
    FakeMessages Messages;
    ScopedSettingsDir Settings;

    int WinAnswer = TAppContext::WinOk; // what the win window answers
    int WinWindows = 0;                 // how many were shown
    int StatisticsShown = 0;
    QList<int> HelpTopics;

private:
    std::unique_ptr<TSoundManager> m_sound;
};

#include "framework/TGameForm.h"

// Reaches a game window's protected state from tests.
struct GameAccess : TGameForm {
    static void SetMoves(TGameForm* form, int count) { (form->*(&GameAccess::SetMoveCount))(count); }
    static void RunAfterMove(TGameForm* form) { (form->*(&GameAccess::AfterMove))(); }
};
