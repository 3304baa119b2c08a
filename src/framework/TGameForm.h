#pragma once

#include "framework/AppContext.h"
#include "framework/GameLayout.h"
#include "framework/TCardUndo.h"
#include "framework/core/GameTable.h"
#include "framework/core/TProfile.h"
#include "pileview/DragTarget.h"
#include "pileview/TCardPileView.h"
#include "solver/SolverTypes.h"

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QVariant>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class TKeyboardPlay;
class TSolverLink;
class TzBackground;

// The window every game is played in. It holds what all games share: the
// pile views built from the game's layout, the popup menu, options, the deal
// skeleton, New Game / Restart / closing with their confirmations and the
// statistics, the window's side of the drag protocol with Smart Dragging, the
// double-click action, turn-ups, the after-move routine with autoplay and the
// win, Undo, the score caption, the table background, the size rule, keys and
// the middle button. A game supplies its layout, its deal and its rules by
// overriding the hooks below; a small-card variant supplies only its layout.
class TGameForm : public QWidget, public TDragTarget {
    Q_OBJECT

public:
    ~TGameForm() override;

    const TGameInfo& Info() const { return GameTable()[m_gameIndex]; }
    int GameIndex() const { return m_gameIndex; }
    bool IsSmall() const { return m_small; }

    int MoveCount() const { return m_moveCount; }
    bool GameOver() const { return m_gameOver; }
    bool Autoplay() const { return m_autoplay; }
    const TCardPile& SavedDeal() const { return m_savedDeal; }
    TCardUndo& UndoRecord() { return m_undo; }
    QMenu* PopupMenu() const { return m_popup; }
    QAction* Item(const QString& name) const { return m_items.value(name); }
    TCardPileView* View(const QString& name) const { return m_views.value(name); }
    const QList<TCardPileView*>& AllViews() const { return m_viewOrder; }
    const QList<TCardPileView*>& Tableau() const { return m_tableau; }
    const QList<TCardPileView*>& Foundations() const { return m_foundations; }
    const QList<TCardPileView*>& FreeCells() const { return m_freeCells; }
    QLabel* Label(const QString& name) const { return m_labels.value(name); }
    TzBackground* Background() const { return m_background; }
    // The table: the layout's client area, parent of every pile view and label. Without the
    // menu bar and status line it fills the window.
    QWidget* Table() const { return m_table; }
    QMenuBar* MenuBar() const { return m_menuBar; }
    QStatusBar* StatusBar() const { return m_statusBar; }
    // Whether the menu bar, status line, Redo, numbered deals and keyboard play are on.
    bool ShowsBars() const { return m_barsOn; }
    TKeyboardPlay* Keyboard() const { return m_keyboard; }
    TSolverLink* SolverLink() const { return m_solver; }

    // The table as the solver reads it: every pile view by name, bottom first, with the
    // game's own state; and the options that change its rules.
    Solver::TPosition SolverPosition() const;
    Solver::TRules SolverRules() const;
    // Whether "Deal Winnable Games Only" applies: on, with the bars shown, in a game whose
    // deals the solver usually decides.
    bool DealsWinnableOnly() const;

    // The number of the current deal: the random sequence's state when its deck was shuffled.
    quint32 DealNumber() const { return m_dealNumber; }
    // Whether Redo has an action to put back.
    bool CanRedo() const { return !m_redo.empty(); }

    // The score as recorded in the statistics and won at (cards home).
    virtual int ComputeScore() const;

    // Commands, bound to the menu items.
    void NewGame1Click(QAction* sender);
    virtual void Undo1Click();
    // Puts back the action the last Undo command took back, exactly as it was.
    void Redo1Click();
    // Asks a deal number and deals it as a new game.
    void SelectDeal1Click();
    // New Game with the deal of that number.
    void NewNumberedGame(quint32 number);
    void Autoplay1Click();
    void Preferences1Click();
    void About1Click();
    void Statistics1Click();
    // The close question; true when the window may close.
    bool FormCloseQuery();

    // Runs the double-click action on a view (also Shift/Ctrl-click and autoplay).
    virtual void DoubleClickAction(TCardPileView* sender);
    // The stock action (draw); nothing in games without a stock.
    virtual void StockAction() {}
    virtual bool HasStock() const { return false; }

    // The view's role in the layout.
    TPileRole Role(const TCardPileView* view) const { return m_roles.value(view, TPileRole::Other); }

    // TDragTarget: a drag over the bare table and over views that never take cards.
    bool DragOver(QWidget* sender, TCardPileView* source) override;

protected:
    TGameForm(TAppContext& context, int gameIndex, bool small, const TGameLayout& layout,
              QWidget* parent = nullptr);

    // Ends construction (called last by each game's constructor, when its
    // virtual functions are in place): background, undo binding, quiet deal.
    void Initialize();

    // ---- hooks for the games --------------------------------------------------
    // Deals a new game or the saved deal again; quiet: no sound, no animation.
    virtual void Deal(bool newGame, bool quiet) = 0;
    // Cards that make a won game.
    virtual int WinningScore() const { return 52; }
    virtual bool IsWon() const { return ComputeScore() == WinningScore(); }
    virtual QString CaptionText() const;
    // Game-specific clean-up when the game is won.
    virtual void OnWon() {}
    // Runs after the preferences dialog, once the background and caption are applied again.
    virtual void AfterPreferences() {}
    // New Game after the quit question was answered OK (before the table is emptied).
    virtual void OnNewGameConfirmed() {}
    // Piles the game keeps besides its views' piles (emptied with the table).
    virtual QList<TCardPile*> ExtraPiles() { return {}; }
    // Whether presses on the table are ignored once the game is won.
    virtual bool StopsAfterWin() const { return true; }

    // Drag permission for the card at `index` of `view` (the selected card).
    virtual bool CanDrag(TCardPileView* view, int index) const;
    // Whether `target` may take the group in `source`'s drag pile.
    virtual bool DropAllowed(TCardPileView* target, TCardPileView* source) const;
    virtual QList<TCardPileView*> SmartDragOrder(TCardPileView* source) const;
    // The non-empty columns, then every column (so the first empty one), then the foundations.
    QList<TCardPileView*> NonEmptyColumnsFirst() const;
    // After a completed drag: record, follow-ups, count, after-move routine.
    virtual void DragCompleted(TCardPileView* source, TCardPileView* target);
    // Follow-ups of a move out of `source`, by drag or double-click, between
    // recording and counting it (turn-ups, refills).
    virtual void AfterMoveFollowUps(TCardPileView* source);
    // The foundation that takes `card` by the double-click action, or null.
    virtual TCardPileView* FoundationFor(const TCard* card, const TCardPileView* from) const;
    // Whether `foundation` takes `card` next: an Ace when empty, else its suit one rank up.
    bool FoundationTakes(const TCardPileView* foundation, const TCard* card) const;
    // Runs after the double-click action's after-move routine (Klondike refills the waste).
    virtual void AfterDoubleClick(TCardPileView* /*sender*/) {}
    // Views whose top cards the autoplay pass plays up, in order.
    virtual QList<TCardPileView*> AutoplayOrder() const;
    virtual void AutoplayPass();
    // A middle press on a view: the stock action, or the double-click action without a stock.
    virtual void MiddleButton(TCardPileView* view);
    // The window's own column-height rule and any game-specific moves on resize.
    virtual void FormResize();

    // ---- services for the games --------------------------------------------
    // The after-move routine: caption, win, autoplay.
    void AfterMove();
    // Changes with every deal: a routine that finds it changed after a call
    // knows the win window dealt a new game meanwhile and must stop.
    int DealSerial() const { return m_dealSerial; }
    void RefreshCaption();
    // Turns a face-down top card up and records it.
    void TurnUp(TCardPileView* view);
    // Puts a full new shuffled deck (or decks) into `stock` and saves the order.
    void NewDeck(TCardPileView* stock, int decks, bool quiet);
    // Puts the saved deal back into `stock`, every card face down.
    void RestartDeck(TCardPileView* stock);
    // The first step of every deal: a new shuffled deck, or the saved deal again for a restart.
    void FillStock(TCardPileView* stock, int decks, bool newGame, bool quiet);
    // Moves the top card of `from` onto `to`, face up or down.
    TCard* DealCard(TCardPileView* from, TCardPileView* to, bool faceUp);
    bool Animating(bool quiet) const;
    // Common end of every deal: repaint, count 0, undo cleared, not over, caption. Games whose
    // caption shows the score of the table before its deal finished leave it unrefreshed.
    void FinishDeal(bool refreshCaption = true);
    // Turns the stock's top card face up onto the waste: one recorded, counted action with the
    // "STOCK" sound (left out when `sound` is false). Returns the card, or null with an empty stock.
    TCard* DrawToWaste(TCardPileView* stock, TCardPileView* waste, bool sound = true);
    // Closes one player action: the undo records made since the last action
    // and the moves its Undo takes back. One Undo command takes back one action;
    // `quietUndo`: that command plays no sound.
    void EndAction(int moves, bool quietUndo = false);
    // Takes back the newest undo record: a turn-up goes face down again, cards dealt off the
    // stock go back on it face down in their old order; games restore what else they changed.
    virtual void TakeBackRecord();
    // Game-specific refreshes after an Undo command.
    virtual void AfterUndo() {}
    // The game's own members that an Undo command may change (pass numbers, counts, a
    // chosen base...), so that Redo can put them back; and putting them back.
    virtual QVariant SaveGameState() const { return {}; }
    virtual void RestoreGameState(const QVariant& /*state*/) {}
    // Keyboard play: Enter on card `index` of `view` (-1: no card) where the game acts at
    // once instead of pressing there; true when it acted.
    virtual bool KeyboardAction(TCardPileView* /*view*/, int /*index*/) { return false; }
    // The score as the status line shows it.
    virtual QString StatusScore() const;
    // The game's state besides its cards (counts, a pass, a chosen base) and its rule options,
    // for the solver.
    virtual void SolverState(Solver::TPosition& /*position*/, Solver::TRules& /*rules*/) const {}
    // Whether the solver decides most deals of the game as its options stand: where it
    // almost never does, looking for a winnable deal would only keep the player waiting.
    virtual bool SolverDecidesDeals() const { return true; }
    // Forgets every undo record (each deal).
    void ClearUndo();
    // Moves `card` from its view to `to` as one recorded, counted single move.
    void PlayToFoundation(TCardPileView* from, TCardPileView* to);
    // Empties every pile on the table; destroy: the deal's cards are released.
    void EmptyTable(bool destroy);
    // Sets the hint of the stock view to its card count (off when empty).
    void ShowCountHint(TCardPileView* view);
    // Puts the cards of a drag in progress back where they came from, as a
    // refused drop. Every command runs it first: no command acts on a table
    // whose cards are in the air.
    void CancelDrags();

    // Options: the key's state, or the default when the key is absent.
    bool ReadOption(const QString& key, bool defaultValue);
    void WriteOption(const QString& key, bool value);

    // Menu building, in the order the items appear.
    QAction* AddItem(const QString& name, const QString& caption, const QKeySequence& shortcut,
                     std::function<void()> handler, bool checkable = false);
    void AddSeparator();
    // Undo1, Autoplay1 and the New Game .. Statistics block, which a game may split in two
    // to put an item of its own after Restart.
    QAction* AddUndoItem();
    QAction* AddAutoplayItem();
    void AddGameItems(const QString& newGameName = QStringLiteral("NewGame1"),
                      const QString& restartName = QStringLiteral("Restart1"),
                      const QString& statisticsCaption = QStringLiteral("&Statistics..."));
    void AddNewGameItems(const QString& newGameName, const QString& restartName);
    void AddOtherGameItems(const QString& statisticsCaption = QStringLiteral("&Statistics..."));

    TAppContext& Context() const { return m_context; }
    const TPreferences& Prefs() const { return m_context.CurrentPrefs(); }
    TSoundManager* Sound() const { return m_context.Sound; }
    TProfile& Profile() { return m_profile; }
    const TGameLayout& Layout() const { return m_layout; }
    void SetMoveCount(int count) { m_moveCount = count; }
    void AddMoves(int delta) { m_moveCount += delta; }
    void SetGameOver(bool over) { m_gameOver = over; }
    void SetAutoplay(bool on) { m_autoplay = on; }
    TCardPile& SavedDealPile() { return m_savedDeal; }

    // The views `prefix`1 .. `prefix`count, in number order.
    QList<TCardPileView*> ViewRow(const QString& prefix, int count) const;
    // Foundations that only take drops: a press there is the table's (middle button: stock
    // action), with no drag, no Shift/Ctrl action and no double-click of their own.
    void MakeFoundationsPassive();
    // Removes every handler of a view, for games that bind their own from scratch.
    static void Unbind(TCardPileView* view);

    // Standard handlers, bound by role; games rebind where they depart.
    void StandardMouseDown(TCardPileView* view, Qt::MouseButton button, Qt::KeyboardModifiers shift);
    bool ViewDragOver(QWidget* sender, TCardPileView* source);
    void StartDrag(TCardPileView* source);
    void EndDrag(TCardPileView* source);
    void FormMouseDown(TCardPileView* view, Qt::MouseButton button);

    // Qt events
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    friend class TKeyboardPlay;

    // One player action for Undo: its records and the moves it counted.
    struct TAction {
        int records;
        int moves;
        bool quiet = false;
    };
    // The window as an Undo command found it: what Redo needs to rebuild it.
    struct TTableState {
        struct TView {
            QList<TCard*> Cards;
            bool Visible;
            bool AllowDrag;
            _PileBitmap State;
            QString Hint;
            bool ShowHint;
        };
        QList<TView> Views;
        QList<QList<TCard*>> Extra;
        QList<bool> Faces; // of the saved deal's cards, in its order
        QList<std::pair<QString, bool>> Labels;
        QHash<QString, bool> ItemsEnabled;
        // As shown, when some deal had left it behind the score (else the caption is made anew,
        // for preferences may have changed since).
        std::optional<QString> CaptionBehind;
        int MoveCount = 0;
        bool GameOver = false;
        int KeptRecords = 0;
        QList<TCardUndo::TRecord> Records; // those the Undo took, oldest first
        QList<TAction> Actions;
        int MarkedRecords = 0;
        QVariant Game;
    };
    struct TRedoStep {
        TTableState Before;
        QList<quintptr> After; // the table right after the Undo
    };
    TTableState CaptureTable() const;
    void RestoreTable(const TTableState& state);
    void RestoreViewStates(const TTableState& state);
    // Every card of every view and extra pile with its face, to tell whether the table moved.
    QList<quintptr> TableFingerprint() const;
    void UndoCommand();
    void ClearRedo();
    void RefreshRedoItem();

    // Redo, Select Deal and the menu bar's own items (Close, Contents, About Quintaro).
    void AddBarItems();
    // Shows or hides the menu bar, status line, Redo, Select Deal and keyboard play.
    void ApplyBars(bool on);
    void BuildMenuBar();
    void BuildStatusBar();
    void LayoutBars();
    int BarsHeight() const;
    void RefreshStatus();
    void WinnableOnly1Click();

    void BuildViews();
    void BindStandardHandlers(TCardPileView* view, TPileRole role);
    void ApplyBackground();
    void ApplySizeLimits(bool maximized);
    void ApplyAnchors();
    void RecordGame();
    bool AskQuit();
    void ShowWin();
    QString PlacementSection() const;
    void RememberNormalPlace();

    TAppContext& m_context;
    const int m_gameIndex;
    const bool m_small;
    const TGameLayout m_layout;

    QHash<QString, TCardPileView*> m_views;
    QList<TCardPileView*> m_viewOrder;
    QHash<const TCardPileView*, TPileRole> m_roles;
    QList<TCardPileView*> m_tableau;
    QList<TCardPileView*> m_foundations;
    QList<TCardPileView*> m_freeCells;
    QHash<QString, QLabel*> m_labels;
    bool m_arraysFilled = false;

    QMenu* m_popup = nullptr;
    QHash<QString, QAction*> m_items;
    QAction* m_newGameItem = nullptr;
    QAction* m_restartItem = nullptr;

    TProfile m_profile;
    TzBackground* m_background = nullptr;
    TCardPile m_savedDeal;
    TCardUndo m_undo;

    QList<TAction> m_actions;
    int m_markedRecords = 0;

    QWidget* m_table = nullptr;
    QMenuBar* m_menuBar = nullptr;
    QStatusBar* m_statusBar = nullptr;
    QLabel* m_dealLabel = nullptr;
    QLabel* m_movesLabel = nullptr;
    QLabel* m_scoreLabel = nullptr;
    TKeyboardPlay* m_keyboard = nullptr;
    TSolverLink* m_solver = nullptr;
    bool m_winnableOnly = false;
    bool m_barsOn = false;
    quint32 m_dealNumber = 0;
    std::optional<quint32> m_nextDeal;
    std::vector<TRedoStep> m_redo;
    bool m_inUndo = false;

    int m_dealSerial = 0;
    int m_moveCount = 0;
    bool m_gameOver = false;
    bool m_autoplay = false;
    bool m_placementRestored = false;
    // Where the window goes back to from maximized: the frame's position and
    // the client size, as the placement keeps them.
    QRect m_normalPlace;
    bool m_closed = false;
};
