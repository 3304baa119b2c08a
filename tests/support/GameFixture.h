#pragma once

#include "framework/AppContext.h"
#include "framework/Messages.h"
#include "support/FakeSoundOutput.h"
#include "support/TestSupport.h"

#include <QStringList>
#include <memory>
#include <utility>

// Answers every message box and records what was asked.
class FakeMessages : public TMessages {
public:
    FakeMessages() { TMessages::SetInstance(this); }
    ~FakeMessages() override { TMessages::SetInstance(nullptr); }

    bool Confirm(QWidget*, const QString& text) override {
        Asked << text;
        return Answer;
    }
    void Information(QWidget*, const QString& text) override { Informations << text; }
    void Warning(QWidget*, const QString& text) override { Warnings << text; }
    void Error(QWidget*, const QString& text) override { Errors << text; }

    bool Answer = true; // OK
    QStringList Asked;
    QStringList Informations;
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
    // Empties the table and deals again directly, quiet or not.
    static void Redeal(TGameForm* form, bool newGame, bool quiet) {
        (form->*(&GameAccess::EmptyTable))(newGame);
        (form->*(&GameAccess::Deal))(newGame, quiet);
    }
};

// The window of game `game` (a GameTable index) at the given card size, not deleted on close;
// shown when `show`, and null if it then never showed.
std::unique_ptr<TGameForm> OpenGameWindow(GameFixture& fx, int game, bool small = false, bool show = true);

#include "cards/Random.h"
#include "cards/TCard.h"
#include "support/MouseKit.h"
#include "support/TableKit.h"

#include <QTest>

// One game window under test, with its fixture: a test class derives from
// QObject and from this, calls Start() in init() and Finish() in cleanup().
template <class Large, class Small> class GameWindowTest {
protected:
    std::unique_ptr<GameFixture> fx;
    Large* form = nullptr;

    // A fresh fixture and a fresh window; the seed makes the deal repeatable.
    void Start(quint32 seed, bool smartDragging = true) {
        TRandom::Seed(seed);
        fx = std::make_unique<GameFixture>();
        fx->Prefs.SmartDragging = smartDragging;
        Open();
    }
    void Open(bool small = false) {
        form = small ? new Small(fx->Context) : new Large(fx->Context);
        form->show();
        if (!QTest::qWaitForWindowExposed(form))
            QTest::qFail("the game window never showed", __FILE__, __LINE__);
    }
    // Closes the large window and opens the small one, with small cards until Finish().
    void ReopenSmall() {
        delete form;
        form = nullptr;
        TCard::SetCardSize(FS_SMALL, false);
        m_smallCards = true;
        Open(true);
    }
    // Closes the window without questions; true when every card of every deal was released.
    bool Finish() {
        MouseKit::ResetButtons();
        if (std::exchange(m_smallCards, false))
            TCard::SetCardSize(FS_LARGE, false);
        if (form) {
            fx->Messages.Answer = true;
            delete form;
            form = nullptr;
        }
        fx.reset();
        return TCard::LiveCount() == 0;
    }
    TCardPileView* V(const char* name) const { return form->View(QString::fromLatin1(name)); }
    QString Pile(const char* name) const { return TableKit::Describe(V(name)->Pile); }

private:
    bool m_smallCards = false;
};
