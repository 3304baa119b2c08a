// Random play through the real game windows: every available game, both card
// sizes, thousands of random mouse, keyboard and menu actions, and after each
// one the invariants every game must keep (no card lost or doubled, legal
// face states, a true caption, undo back to the deal, restart = same deal).
//
// QUINTARO_RANDOMPLAY_ACTIONS  actions per game and size (default 300)
// QUINTARO_RANDOMPLAY_SEED     the run's seed (default fixed; printed on failure)
// QUINTARO_RANDOMPLAY_GAME     only the game of that index (0..11)

#include "cards/Random.h"
#include "cards/TCard.h"
#include "framework/TCardUndo.h"
#include "framework/core/GameTable.h"
#include "games/GameRegistry.h"
#include "games/klondike/TKlondikeForm.h"
#include "support/GameFixture.h"
#include "support/MouseKit.h"
#include "support/TableKit.h"

#include <QAction>
#include <QHash>
#include <QMenu>
#include <QSet>
#include <QTest>
#include <deque>
#include <functional>
#include <random>

namespace {

// Reaches the protected parts of a window that the invariants compare against.
struct WindowAccess : TGameForm {
    static QString Caption(TGameForm* form) { return (form->*(&WindowAccess::CaptionText))(); }
    static QList<TCardPile*> Extra(TGameForm* form) { return (form->*(&WindowAccess::ExtraPiles))(); }
};

enum class Faces { Any, Up, Down, DownBelowUp };

// What a game allows on its table, beyond what holds for every game.
struct GameRules {
    int Decks = 1;
    Faces Tableau = Faces::DownBelowUp;
    Faces Hidden = Faces::Any;
    // Foundations build up by suit from the Ace: a nearly won table can be laid out to reach wins.
    bool SuitFoundations = false;
    // The caption the game shows for the table as it is; empty: the standard one.
    std::function<QString(TGameForm&, const TPreferences&)> Caption;
};

QString StandardCaption(TGameForm& form, int score) {
    const QString name = QString::fromUtf8(form.Info().GameName);
    return score > 0 ? name + QStringLiteral("   Score: ") + QString::number(score) : name;
}

int CardsOnFoundations(const TGameForm& form) {
    int cards = 0;
    for (const TCardPileView* view : form.Foundations())
        cards += view->Pile.size();
    return cards;
}

GameRules RulesFor(int game) {
    GameRules rules;
    switch (game) {
    case GI_KLONDIKE:
        rules.SuitFoundations = true;
        rules.Hidden = Faces::Up; // the older waste cards
        rules.Caption = [](TGameForm& form, const TPreferences& prefs) {
            auto& klondike = static_cast<TKlondikeForm&>(form);
            if (prefs.VegasScoring)
                return QStringLiteral("Klondike   Score: $%1")
                    .arg(klondike.VegasBalance() + 5 * CardsOnFoundations(form));
            return StandardCaption(form, CardsOnFoundations(form));
        };
        break;
    case GI_DBLKLONDIKE:
        rules.SuitFoundations = true;
        rules.Decks = 2;
        rules.Hidden = Faces::Up;
        break;
    case GI_FORTYTHIEVES:
    case GI_SPIDER:
    case GI_INDIAN:
    case GI_QUEENITALY:
        rules.Decks = 2;
        break;
    case GI_FREECELL:
    case GI_SEAHAVEN:
        rules.SuitFoundations = true;
        [[fallthrough]];
    case GI_CASTLE:
        rules.Tableau = Faces::Up;
        break;
    default:
        break;
    }
    return rules;
}

bool FacesLegal(const TCardPile& pile, Faces rule) {
    bool seenUp = false;
    for (const TCard* card : pile.Cards) {
        switch (rule) {
        case Faces::Any:
            break;
        case Faces::Up:
            if (!card->FaceUp)
                return false;
            break;
        case Faces::Down:
            if (card->FaceUp)
                return false;
            break;
        case Faces::DownBelowUp:
            if (seenUp && !card->FaceUp)
                return false;
            seenUp = seenUp || card->FaceUp;
            break;
        }
    }
    return true;
}

Faces RuleFor(TPileRole role, const GameRules& rules) {
    switch (role) {
    case TPileRole::Stock:
        return Faces::Down;
    case TPileRole::Waste:
    case TPileRole::Foundation:
    case TPileRole::FreeCell:
        return Faces::Up;
    case TPileRole::Tableau:
        return rules.Tableau;
    case TPileRole::Hidden:
        return rules.Hidden;
    case TPileRole::Other:
        break;
    }
    return Faces::Any;
}

int EnvInt(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// One game window played at random, with the invariants checked after every action.
class RandomPlayer {
public:
    RandomPlayer(GameFixture& fx, TGameForm* form, std::uint32_t seed)
        : m_fx(fx), m_form(form), m_rules(RulesFor(form->GameIndex())), m_rng(seed) {
        m_dealSnapshot = TableKit::Snapshot(*form);
        m_undoBaseline = m_dealSnapshot;
        m_dealCards = form->SavedDeal().Cards;
    }

    // Plays `count` actions; returns an empty string or what went wrong, with the recent actions.
    QString Play(int count) {
        QString fault = Check();
        for (int i = 0; i < count && fault.isEmpty(); ++i) {
            const QString action = RandomAction();
            Log(QStringLiteral("#%1 %2").arg(i).arg(action));
            const QString table = TableKit::Snapshot(*m_form);
            if (table != m_lastTable)
                ++m_changes;
            m_lastTable = table;
            m_maxMoves = qMax(m_maxMoves, m_form->MoveCount());
            fault = Check();
            if (fault.isEmpty() && m_pendingFault.size())
                fault = m_pendingFault;
        }
        if (fault.isEmpty())
            return {};
        QStringList recent(m_log.begin(), m_log.end());
        return fault + QStringLiteral("\nlast actions:\n  ") + recent.join(QStringLiteral("\n  ")) +
               QStringLiteral("\ntable:\n") + TableKit::Snapshot(*m_form);
    }

    int Deals() const { return m_deals; }
    int Changes() const { return m_changes; }
    int MaxMoves() const { return m_maxMoves; }
    int Wins() const { return m_fx.WinWindows; }

private:
    GameFixture& m_fx;
    TGameForm* m_form;
    GameRules m_rules;
    std::mt19937 m_rng;
    QString m_dealSnapshot;      // the table right after the last deal or restart
    QString m_undoBaseline;      // where undoing everything leads: the deal, or a table laid out since
    QList<TCard*> m_dealCards;   // the saved deal then (restart must not change it)
    bool m_wonSinceDeal = false; // undo cannot reach the deal across a win
    bool m_dealKnown = true;     // the table right after the deal was seen
    std::deque<QString> m_log;
    QString m_pendingFault;
    int m_deals = 0;
    int m_changes = 0;  // actions that changed the table
    int m_maxMoves = 0; // the highest move count reached
    QString m_lastTable;

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    bool Chance(int percent) { return Pick(100) < percent; }

    void Log(const QString& line) {
        m_log.push_back(line);
        if (m_log.size() > 40)
            m_log.pop_front();
    }

    QList<TCardPileView*> VisibleViews() const {
        QList<TCardPileView*> views;
        for (TCardPileView* view : m_form->AllViews())
            if (view->isVisible())
                views << view;
        return views;
    }

    // A point on the card at `index` of `view` (laid out by a paint first), or inside an empty view.
    QPoint PointOn(TCardPileView* view, int index) {
        view->repaint();
        if (index < 0 || index >= view->Pile.size())
            return QPoint(qMin(10, view->width() - 1), qMin(10, view->height() - 1));
        const TCard* card = view->Pile.CardAt(index);
        const int x = static_cast<int>(card->PosX) + 2 + Pick(qMax(1, TCard::Width() - 4));
        const int y = static_cast<int>(card->PosY) + 2 + Pick(qMax(1, qMin(TCard::Height() - 4, 12)));
        return QPoint(qBound(0, x, view->width() - 1), qBound(0, y, view->height() - 1));
    }

    // A point of the window that no view covers, or none.
    std::optional<QPoint> BareTable() {
        for (int tries = 0; tries < 50; ++tries) {
            const QPoint p(Pick(m_form->width()), Pick(m_form->height()));
            QWidget* child = m_form->childAt(p);
            if (!child || !qobject_cast<TCardPileView*>(child))
                return p;
        }
        return std::nullopt;
    }

    TCardPileView* RandomView(bool preferCards) {
        QList<TCardPileView*> views = VisibleViews();
        if (preferCards && Chance(85)) {
            QList<TCardPileView*> withCards;
            for (TCardPileView* view : views)
                if (!view->Pile.isEmpty())
                    withCards << view;
            if (!withCards.isEmpty())
                views = withCards;
        }
        return views.isEmpty() ? nullptr : views[Pick(views.size())];
    }

    int RandomIndex(TCardPileView* view) {
        const int n = view->Pile.size();
        if (n == 0)
            return -1;
        return Chance(50) ? n - 1 : Pick(n); // tops are where the moves are
    }

    static QString Where(const TCardPileView* view, int index) {
        return view->objectName() + QStringLiteral("[%1]").arg(index);
    }

    void ShowAnswers() {
        const int answers[] = {TAppContext::WinOk, TAppContext::WinNewGame, TAppContext::WinShowStatistics};
        m_fx.WinAnswer = answers[Pick(3)];
        m_fx.Messages.Answer = Chance(60);
    }

    QString RandomAction() {
        ShowAnswers();
        const int winsBefore = m_fx.WinWindows;
        const int askedBefore = static_cast<int>(m_fx.Messages.Asked.size());
        const int winAnswer = m_fx.WinAnswer;
        QString what;
        const int roll = Pick(100);
        if (roll < 40)
            what = Drag();
        else if (roll < 50)
            what = DoubleClick();
        else if (roll < 55)
            what = ModifiedClick();
        else if (roll < 59)
            what = MiddleClick();
        else if (roll < 69)
            what = StockClick();
        else if (roll < 72)
            what = Space();
        else if (roll < 82)
            what = Undo();
        else if (roll < 85)
            what = NewGameOrRestart(false, askedBefore);
        else if (roll < 88)
            what = NewGameOrRestart(true, askedBefore);
        else if (roll < 93)
            what = ToggleOption();
        else if (roll < 95)
            what = ChangePreferences();
        else if (roll < 96)
            what = Resize();
        else if (roll < 97)
            what = NearlyWon();
        else
            what = UndoEverything();
        // A win window answered New Game deals afresh.
        if (m_fx.WinWindows != winsBefore) {
            what += QStringLiteral(" -> won (window answers %1)").arg(winAnswer);
            if (winAnswer == TAppContext::WinNewGame) {
                Dealt();
                // The deal itself makes no move: anything recorded since was played on the
                // new game by an autoplay pass still running for the old one.
                if ((m_form->MoveCount() != 0 || m_form->UndoRecord().Count() != 0) && m_pendingFault.isEmpty())
                    m_pendingFault = QStringLiteral("the new game after a win starts with %1 moves made")
                                         .arg(m_form->MoveCount());
            } else
                m_wonSinceDeal = true;
        }
        if (m_form->GameOver())
            m_wonSinceDeal = true;
        return what;
    }

    void Dealt() {
        m_dealKnown = true;
        m_dealSnapshot = TableKit::Snapshot(*m_form);
        m_undoBaseline = m_dealSnapshot;
        m_dealCards = m_form->SavedDeal().Cards;
        m_wonSinceDeal = false;
        ++m_deals;
    }

    QString Drag() {
        TCardPileView* from = RandomView(true);
        if (!from)
            return QStringLiteral("drag: no view");
        const int index = RandomIndex(from);
        const QPoint start = PointOn(from, index);
        const int steps = 1 + Pick(5);
        if (Chance(10))
            return InterruptedDrag(from, index, start);
        if (Chance(15)) {
            if (const auto bare = BareTable()) {
                MouseKit::Drag(from, start, m_form, *bare, steps);
                return QStringLiteral("drag %1 to table (%2,%3)")
                    .arg(Where(from, index))
                    .arg(bare->x())
                    .arg(bare->y());
            }
        }
        TCardPileView* to = RandomView(false);
        const int toIndex = to->Pile.size() - 1;
        const QPoint end = PointOn(to, Chance(80) ? toIndex : RandomIndex(to));
        MouseKit::Drag(from, start, to, end, steps);
        return QStringLiteral("drag %1 to %2").arg(Where(from, index), to->objectName());
    }

    // A command given while cards are held: they go home before it runs, and the release after
    // it moves nothing. A command that does nothing (a disabled item) leaves the drag going.
    QString InterruptedDrag(TCardPileView* from, int index, QPoint start) {
        TCardPileView* to = RandomView(false);
        const QPoint end = PointOn(to, to->Pile.size() - 1);
        const int askedBefore = static_cast<int>(m_fx.Messages.Asked.size());
        MouseKit::Press(from, start);
        MouseKit::Move(to, end);
        const bool held = from->IsDragging();
        auto state = [this] { return TableKit::Snapshot(*m_form) + QString::number(m_form->MoveCount()); };
        const QString beforeCommand = state();
        const int pick = Pick(4);
        const QString command = pick == 0   ? Space()
                                : pick == 1 ? Undo()
                                : pick == 2 ? MiddleClick()
                                            : NewGameOrRestart(Chance(50), askedBefore);
        const bool stillHeld = from->IsDragging();
        const QString afterCommand = state();
        MouseKit::Release(to, end);
        QString fault;
        if (held && stillHeld && afterCommand != beforeCommand)
            fault = QStringLiteral("\"%1\" ran with cards held").arg(command);
        if (held && !stillHeld && state() != afterCommand)
            fault = QStringLiteral("the release after \"%1\" moved cards").arg(command);
        if (!fault.isEmpty() && m_pendingFault.isEmpty())
            m_pendingFault = fault;
        return QStringLiteral("drag %1 to %2, %3 meanwhile")
            .arg(Where(from, index), to->objectName(), command);
    }

    QString DoubleClick() {
        TCardPileView* view = RandomView(true);
        const int index = RandomIndex(view);
        MouseKit::DoubleClick(view, PointOn(view, index));
        return QStringLiteral("double-click %1").arg(Where(view, index));
    }

    QString ModifiedClick() {
        TCardPileView* view = RandomView(true);
        const int index = RandomIndex(view);
        const Qt::KeyboardModifiers modifiers = Chance(50) ? Qt::ShiftModifier : Qt::ControlModifier;
        MouseKit::Click(view, PointOn(view, index), Qt::LeftButton, modifiers);
        return QStringLiteral("%1-click %2")
            .arg(modifiers == Qt::ShiftModifier ? "shift" : "ctrl", Where(view, index));
    }

    QString MiddleClick() {
        if (Chance(30)) {
            if (const auto bare = BareTable()) {
                MouseKit::Click(m_form, *bare, Qt::MiddleButton);
                return QStringLiteral("middle-click table");
            }
        }
        TCardPileView* view = RandomView(true);
        const int index = RandomIndex(view);
        MouseKit::Click(view, PointOn(view, index), Qt::MiddleButton);
        return QStringLiteral("middle-click %1").arg(Where(view, index));
    }

    QString StockClick() {
        TCardPileView* stock = m_form->View(QStringLiteral("DeckPileView"));
        if (!stock || !stock->isVisible())
            return Drag();
        MouseKit::Click(stock, PointOn(stock, stock->Pile.size() - 1));
        return QStringLiteral("click DeckPileView");
    }

    QString Space() {
        QTest::keyClick(m_form, Qt::Key_Space);
        return QStringLiteral("space");
    }

    QString Undo() {
        QAction* undo = m_form->Item(QStringLiteral("Undo1"));
        if (Chance(50)) {
            QTest::keyClick(m_form, Qt::Key_Z, Qt::ControlModifier);
            return QStringLiteral("ctrl+z");
        }
        if (undo)
            undo->trigger();
        return QStringLiteral("Undo1");
    }

    QString NewGameOrRestart(bool restart, int askedBefore) {
        QAction* item =
            restart ? m_form->Item(QStringLiteral("Restart1")) : m_form->Item(QStringLiteral("NewGame1"));
        if (!item)
            item = m_form->Item(restart ? QStringLiteral("Redeal1") : QStringLiteral("NewDeal1"));
        if (!item)
            return QStringLiteral("no %1 item").arg(restart ? "restart" : "new game");
        const bool answer = m_fx.Messages.Answer;
        const bool byKey = Chance(50);
        if (byKey)
            QTest::keyClick(m_form, restart ? Qt::Key_R : Qt::Key_N, Qt::ControlModifier);
        else
            item->trigger();
        const bool asked = m_fx.Messages.Asked.size() > askedBefore;
        const QString what =
            QStringLiteral("%1 %2%3").arg(byKey ? "key" : "item", item->objectName(),
                                          asked ? (answer ? " (asked: OK)" : " (asked: Cancel)") : "");
        if (asked && !answer)
            return what;
        if (restart && !m_dealKnown) {
            m_dealSnapshot = TableKit::Snapshot(*m_form);
            m_dealKnown = true;
        }
        if (restart && TableKit::Snapshot(*m_form) != m_dealSnapshot && m_pendingFault.isEmpty())
            m_pendingFault = QStringLiteral("restart did not deal the saved deal again:\nexpected\n%1")
                                 .arg(m_dealSnapshot);
        if (restart && m_form->SavedDeal().Cards != m_dealCards && m_pendingFault.isEmpty())
            m_pendingFault = QStringLiteral("restart changed the saved deal");
        if (restart) {
            m_undoBaseline = m_dealSnapshot;
            m_wonSinceDeal = false;
            ++m_deals;
        } else {
            Dealt();
        }
        return what;
    }

    QString ToggleOption() {
        QList<QAction*> options;
        for (QAction* action : m_form->PopupMenu()->actions())
            if (action->isCheckable())
                options << action;
        if (options.isEmpty())
            return Drag();
        QAction* option = options[Pick(options.size())];
        if (option->objectName() == QLatin1String("Autoplay1") && Chance(50)) {
            QTest::keyClick(m_form, Qt::Key_A, Qt::ControlModifier);
            return QStringLiteral("ctrl+a");
        }
        option->trigger();
        return QStringLiteral("option %1%2")
            .arg(option->objectName(), option->isEnabled() ? "" : " (disabled)");
    }

    QString ChangePreferences() {
        m_fx.Prefs.SmartDragging = Chance(50);
        m_fx.Prefs.VegasScoring = Chance(50);
        if (QAction* item = m_form->Item(QStringLiteral("Preferences1")))
            item->trigger();
        return QStringLiteral("preferences smart=%1 vegas=%2")
            .arg(m_fx.Prefs.SmartDragging)
            .arg(m_fx.Prefs.VegasScoring);
    }

    QString Resize() {
        const int height = m_form->minimumHeight() + Pick(300);
        m_form->resize(m_form->width(), height);
        return QStringLiteral("resize to height %1").arg(height);
    }

    // Lays out the deal with every suit home but its last few cards, which lie face up on the
    // columns, so that random play reaches wins too. Undo then leads back to this table.
    QString NearlyWon() {
        // A won table stays won until the next deal: laying out another would be no game state.
        if (m_form->GameOver() || !m_rules.SuitFoundations ||
            m_form->Foundations().size() < 4 * m_rules.Decks || m_form->Tableau().isEmpty())
            return DoubleClick();
        static const char Ranks[] = "A23456789TJQK";
        static const char Suits[] = "CSDH";
        QList<std::pair<QString, QString>> piles;
        QStringList loose;
        for (int f = 0; f < 4 * m_rules.Decks; ++f) {
            const int suit = f % 4;
            const int home = 9 + Pick(4); // 9..12 cards home, the rest loose
            QStringList cards;
            for (int v = 0; v < 13; ++v)
                (v < home ? cards : loose) << QString(QChar(Ranks[v])) + QChar(Suits[suit]);
            piles.append({m_form->Foundations()[f]->objectName(), cards.join(' ')});
        }
        std::shuffle(loose.begin(), loose.end(), m_rng);
        QHash<QString, QStringList> columns;
        const QList<TCardPileView*>& tableau = m_form->Tableau();
        for (const QString& card : loose)
            columns[tableau[Pick(tableau.size())]->objectName()] << card;
        for (auto it = columns.cbegin(); it != columns.cend(); ++it)
            piles.append({it.key(), it.value().join(' ')});
        TableKit::Arrange(*m_form, piles, QString());
        GameAccess::SetMoves(m_form, 0);              // a fresh start, as after a deal
        m_undoBaseline = TableKit::Snapshot(*m_form); // the autoplay that follows is undoable
        GameAccess::RunAfterMove(m_form);
        return QStringLiteral("nearly won table laid out");
    }

    // Undo until nothing is left: the table must be the deal again.
    QString UndoEverything() {
        QAction* undo = m_form->Item(QStringLiteral("Undo1"));
        if (!undo)
            return QStringLiteral("undo all: no Undo1");
        int commands = 0;
        while (undo->isEnabled() && commands < 5000) {
            undo->trigger();
            ++commands;
        }
        if (commands >= 5000 && m_pendingFault.isEmpty())
            m_pendingFault = QStringLiteral("Undo1 never went disabled");
        if (!m_wonSinceDeal && m_pendingFault.isEmpty()) {
            if (TableKit::Snapshot(*m_form) != m_undoBaseline)
                m_pendingFault = QStringLiteral("undoing everything did not restore the deal:\nexpected\n%1")
                                     .arg(m_undoBaseline);
            else if (m_form->MoveCount() != 0)
                m_pendingFault =
                    QStringLiteral("undoing everything left the move count at %1").arg(m_form->MoveCount());
        }
        return QStringLiteral("undo all (%1 commands)").arg(commands);
    }

    // Every invariant of the table; an empty string when all hold.
    QString Check() {
        TGameForm& form = *m_form;
        const TCardPile& deal = form.SavedDeal();
        const int expected = 52 * m_rules.Decks;
        if (deal.size() != expected)
            return QStringLiteral("saved deal holds %1 cards, expected %2").arg(deal.size()).arg(expected);

        QHash<const TCard*, QString> where;
        QHash<int, int> kinds; // suit * 16 + value -> copies
        for (const TCard* card : deal.Cards) {
            if (where.contains(card))
                return QStringLiteral("the saved deal holds %1 twice").arg(TableKit::Name(card));
            where.insert(card, QString());
            ++kinds[card->Suit * 16 + card->Value];
        }
        for (auto it = kinds.cbegin(); it != kinds.cend(); ++it)
            if (it.value() != m_rules.Decks)
                return QStringLiteral("the saved deal has %1 copies of card kind %2")
                    .arg(it.value())
                    .arg(it.key());

        auto place = [&](const TCardPile& pile, const QString& name) -> QString {
            for (const TCard* card : pile.Cards) {
                auto it = where.find(card);
                if (it == where.end())
                    return QStringLiteral("%1 holds a card that is not in the deal").arg(name);
                if (!it.value().isEmpty())
                    return QStringLiteral("%1 is in %2 and in %3")
                        .arg(TableKit::Name(card), it.value(), name);
                it.value() = name;
            }
            return {};
        };
        for (const TCardPileView* view : form.AllViews()) {
            if (QString fault = place(view->Pile, view->objectName()); !fault.isEmpty())
                return fault;
            if (view->IsDragging())
                return QStringLiteral("%1 is still dragging").arg(view->objectName());
            const Faces rule = RuleFor(form.Role(view), m_rules);
            if (!FacesLegal(view->Pile, rule))
                return QStringLiteral("%1 has illegal face states: %2")
                    .arg(view->objectName(), TableKit::Describe(view->Pile));
        }
        for (const TCardPile* pile : WindowAccess::Extra(m_form))
            if (QString fault = place(*pile, QStringLiteral("an extra pile")); !fault.isEmpty())
                return fault;
        for (auto it = where.cbegin(); it != where.cend(); ++it)
            if (it.value().isEmpty())
                return QStringLiteral("%1 of the deal lies on no pile").arg(TableKit::Name(it.key()));

        if (form.MoveCount() < 0)
            return QStringLiteral("move count %1").arg(form.MoveCount());
        if (form.windowTitle() != WindowAccess::Caption(m_form))
            return QStringLiteral("caption \"%1\" is stale; the table gives \"%2\"")
                .arg(form.windowTitle(), WindowAccess::Caption(m_form));
        const QString caption = m_rules.Caption ? m_rules.Caption(form, m_fx.Prefs)
                                                : StandardCaption(form, CardsOnFoundations(form));
        if (form.windowTitle() != caption)
            return QStringLiteral("caption \"%1\", expected \"%2\"").arg(form.windowTitle(), caption);
        if (form.ComputeScore() != CardsOnFoundations(form))
            return QStringLiteral("score %1 with %2 cards home")
                .arg(form.ComputeScore())
                .arg(CardsOnFoundations(form));
        if (QAction* undo = form.Item(QStringLiteral("Undo1"));
            undo && undo->isEnabled() && (form.GameOver() || form.UndoRecord().Count() == 0))
            return QStringLiteral("Undo1 enabled with %1 records, game over %2")
                .arg(form.UndoRecord().Count())
                .arg(form.GameOver());
        return {};
    }
};

} // namespace

class TestRandomPlay : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        MouseKit::ResetButtons();
        TCard::SetCardSize(FS_LARGE, false);
    }

    void everyGameKeepsItsInvariantsUnderRandomPlay_data() {
        QTest::addColumn<int>("game");
        QTest::addColumn<bool>("small");
        const int only = EnvInt("QUINTARO_RANDOMPLAY_GAME", -1);
        int rows = 0;
        for (int game = 0; game < GI_COUNT; ++game) {
            if (!GameFactory(game).Available() || (only >= 0 && game != only))
                continue;
            for (bool small : {false, true}) {
                QTest::addRow("%s %s", GameTable()[game].Section, small ? "small" : "large") << game << small;
                ++rows;
            }
        }
        if (rows == 0)
            QSKIP("no game available");
    }

    // Random mouse, keyboard and menu input never loses, doubles or wrongly turns a
    // card, never leaves a stale caption, and Undo/Restart always lead back to the deal.
    void everyGameKeepsItsInvariantsUnderRandomPlay() {
        QFETCH(int, game);
        QFETCH(bool, small);
        const int actions = EnvInt("QUINTARO_RANDOMPLAY_ACTIONS", 300);
        const auto runSeed = static_cast<std::uint32_t>(EnvInt("QUINTARO_RANDOMPLAY_SEED", 20240611));
        const std::uint32_t seed = runSeed * 31u + static_cast<std::uint32_t>(game) * 2u + (small ? 1u : 0u);
        TRandom::Seed(seed);
        {
            GameFixture fx;
            fx.Prefs.SmartDragging = true;
            TCard::SetCardSize(small ? FS_SMALL : FS_LARGE, false);
            const TGameFactory& factory = GameFactory(game);
            std::unique_ptr<TGameForm> form(small ? factory.Small(fx.Context, nullptr)
                                                  : factory.Large(fx.Context, nullptr));
            form->setAttribute(Qt::WA_DeleteOnClose, false);
            form->show();
            QVERIFY(QTest::qWaitForWindowExposed(form.get()));
            form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(form.get()));

            RandomPlayer player(fx, form.get(), seed);
            const QString fault = player.Play(actions);
            if (!fault.isEmpty())
                QFAIL(qPrintable(
                    QStringLiteral("%1 (%2), replay with QUINTARO_RANDOMPLAY_SEED=%3 "
                                   "QUINTARO_RANDOMPLAY_ACTIONS=%4 QUINTARO_RANDOMPLAY_GAME=%5: %6")
                        .arg(GameTable()[game].GameName, small ? "small" : "large")
                        .arg(runSeed)
                        .arg(actions)
                        .arg(game)
                        .arg(fault)));
            qInfo("%s %s: %d actions, %d changed the table, %d deals, %d wins, highest move count %d",
                  GameTable()[game].Section, small ? "small" : "large", actions, player.Changes(),
                  player.Deals(), player.Wins(), player.MaxMoves());
            fx.Messages.Answer = true;
            form.reset();
        }
        QCOMPARE(TCard::LiveCount(), 0); // every card of every deal released
    }
};

QTEST_MAIN(TestRandomPlay)
#include "tst_randomplay.moc"
