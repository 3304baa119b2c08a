// Random play through the real game windows: every available game, both card
// sizes, thousands of random mouse, keyboard and menu actions, and after each
// one the invariants every game must keep (no card lost or doubled, legal
// face states, a true caption, undo back to the deal, restart = same deal,
// undo then redo = the table as it was). The menu bar preference comes and
// goes, and with it keyboard play.
//
// Two policies choose the actions: "random" mixes every kind of input blindly;
// "purposeful" asks the window's rules which drags and double-clicks are legal and
// plays the ones that bring cards home or turn cards up, so that games reach late
// positions and are won.
//
// QUINTARO_RANDOMPLAY_ACTIONS  actions per game, size and policy (default 300)
// QUINTARO_RANDOMPLAY_SEED     the run's seed (default fixed; printed on failure)
// QUINTARO_RANDOMPLAY_GAME     only the game of that index (0..11)

#include "cards/MontanaGrid.h"
#include "cards/Random.h"
#include "cards/TCard.h"
#include "framework/KeyboardPlay.h"
#include "framework/TCardUndo.h"
#include "framework/core/GameTable.h"
#include "games/GameRegistry.h"
#include "games/klondike/TKlondikeForm.h"
#include "games/queenitaly/TQueenItalyForm.h"
#include "support/GameFixture.h"
#include "support/MouseKit.h"
#include "support/TableKit.h"

#include <QAction>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <QTest>
#include <deque>
#include <functional>
#include <random>

namespace {

// Reaches the protected parts of a window: what the invariants compare against, and the rules
// that say what the mouse would be allowed to do, without doing it.
struct WindowAccess : TGameForm {
    static QString Caption(TGameForm* form) { return (form->*(&WindowAccess::CaptionText))(); }
    static QList<TCardPile*> Extra(TGameForm* form) { return (form->*(&WindowAccess::ExtraPiles))(); }
    static bool MayDrag(TGameForm* form, TCardPileView* view, int index) {
        return (form->*(&WindowAccess::CanDrag))(view, index);
    }
    static bool MayDrop(TGameForm* form, TCardPileView* target, TCardPileView* source) {
        return (form->*(&WindowAccess::DropAllowed))(target, source);
    }
    static TCardPileView* HomeFor(TGameForm* form, const TCard* card, const TCardPileView* from) {
        return (form->*(&WindowAccess::FoundationFor))(card, from);
    }
};

enum class Policy { Random, Purposeful };

enum class Faces { Any, Up, Down, DownBelowUp };

// What a game allows on its table, beyond what holds for every game.
struct GameRules {
    int Decks = 1;
    Faces Tableau = Faces::DownBelowUp;
    Faces Hidden = Faces::Any;
    // Foundations build up by suit from the Ace: a nearly won table can be laid out to reach wins.
    bool SuitFoundations = false;
    // Foundations take one complete suit each, King to Ace, in one move.
    bool WholeSuitFoundations = false;
    // Undo lowers the move count by what the action added, so undoing everything leads back to 0.
    bool UndoTakesEveryMove = true;
    // The caption the game shows for the table as it is; empty: the standard one.
    std::function<QString(TGameForm&, const TPreferences&)> Caption;
    // The caption is refreshed before the deal has finished changing the score, so right after a
    // deal, until something changes the table, it may still show the bare game name.
    bool CaptionLagsAfterDeal = false;
    // The score, when it is not the cards on the foundations.
    std::function<int(TGameForm&)> Score;
    // The deal ends by turning DeckPileView's top card onto DiscardPileView: one move, which Undo
    // takes back too.
    bool DealDraws = false;
    // Menu items of the game's own that random play triggers. One that leaves no undo record
    // (a redeal) makes the table the place that undoing everything leads back to.
    QStringList Commands;
    // What else the game's table must keep; an empty string when it holds.
    std::function<QString(TGameForm&)> Table;
    // How often (percent) a press aims at an empty view, in games where a click on a gap fills it.
    int GapPresses = 0;
    // A table a few moves from a win, for games whose foundations cannot give one.
    std::function<QList<std::pair<QString, QString>>(std::mt19937&)> NearlyWon;
    // Whether the game's opening step, which no Undo takes back (Queen of Italy's base choice), is
    // done; from then on undoing everything leads to the table that step left.
    std::function<bool(const TGameForm&)> OpeningDone;
};

const char RankLetters[] = "A23456789TJQK";
const char SuitLetters[] = "CSDH";

QString CardName(int value, int suit) {
    return QString(QChar(RankLetters[value])) + QChar(SuitLetters[suit]);
}

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

int DiscardedCards(TGameForm& form) {
    return form.View(QStringLiteral("DiscardPileView"))->Pile.size();
}

int Score(TGameForm& form, const GameRules& rules) {
    return rules.Score ? rules.Score(form) : CardsOnFoundations(form);
}

// The table before the deal's own draw: its card back on the stock, face down.
QString BeforeDealDraw(const QString& snapshot) {
    const QString stockName = QStringLiteral("DeckPileView: ");
    const QString wasteName = QStringLiteral("DiscardPileView: ");
    QStringList lines = snapshot.split('\n');
    int stock = -1;
    int waste = -1;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(stockName))
            stock = i;
        else if (lines[i].startsWith(wasteName))
            waste = i;
    }
    if (stock < 0 || waste < 0)
        return snapshot;
    const QString card = lines[waste].mid(wasteName.size());
    if (card.isEmpty() || card.contains(' '))
        return snapshot;
    lines[waste] = wasteName;
    lines[stock] += (lines[stock] == stockName ? QString() : QStringLiteral(" ")) + card + '*';
    return lines.join('\n');
}

Montana::TGrid MontanaGrid(TGameForm& form) {
    Montana::TGrid grid{};
    for (int i = 0; i < Montana::Rows * Montana::Columns; ++i)
        grid[i / Montana::Columns][i % Montana::Columns] =
            form.View(QStringLiteral("CardPileView%1").arg(i + 1))->Pile.Top();
    return grid;
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
    case GI_SPIDER:
        rules.WholeSuitFoundations = true;
        rules.UndoTakesEveryMove = false; // a drag counts 2 and its Undo takes 1; a row deal's Undo 0
        rules.Decks = 2;
        break;
    case GI_FORTYTHIEVES:
        rules.Decks = 2;
        rules.SuitFoundations = true;
        rules.Tableau = Faces::Up;
        break;
    case GI_INDIAN:
        rules.Decks = 2;
        rules.SuitFoundations = true;
        break;
    case GI_QUEENITALY:
        rules.Decks = 2;
        rules.Tableau = Faces::Up;
        rules.OpeningDone = [](const TGameForm& form) {
            return static_cast<const TQueenItalyForm&>(form).BaseChosen();
        };
        break;
    case GI_CASTLE:
        // The deal refreshes the caption before the Aces go home.
        rules.CaptionLagsAfterDeal = true;
        [[fallthrough]];
    case GI_FREECELL:
    case GI_SEAHAVEN:
        rules.SuitFoundations = true;
        rules.Tableau = Faces::Up;
        break;
    case GI_PYRAMID:
        rules.Tableau = Faces::Up;
        rules.Score = DiscardedCards;
        break;
    case GI_GOLF:
        rules.Tableau = Faces::Up;
        rules.CaptionLagsAfterDeal = true;
        rules.DealDraws = true;
        rules.Score = DiscardedCards;
        // The waste ends on the 5 of hearts; the 6, 7, 8 and 9 of other suits wait alone in columns.
        rules.NearlyWon = [](std::mt19937& rng) {
            const QStringList last = {"6S", "7D", "8C", "9H"};
            QStringList waste;
            for (int suit = 0; suit < 4; ++suit)
                for (int value = 0; value < 13; ++value)
                    if (const QString card = CardName(value, suit); !last.contains(card) && card != "5H")
                        waste << card;
            std::shuffle(waste.begin(), waste.end(), rng);
            waste << QStringLiteral("5H");
            QList<std::pair<QString, QString>> piles{{QStringLiteral("DiscardPileView"), waste.join(' ')}};
            for (int i = 0; i < last.size(); ++i)
                piles.append({QStringLiteral("TableauPileView%1").arg(2 * i + 1), last[i]});
            return piles;
        };
        break;
    case GI_MONTANA:
        rules.Hidden = Faces::Up;
        rules.CaptionLagsAfterDeal = true;
        rules.Commands = {QStringLiteral("Shuffle1")};
        rules.GapPresses = 30;
        rules.Score = [](TGameForm& form) { return Montana::Score(MontanaGrid(form)); };
        rules.Table = [](TGameForm& form) -> QString {
            for (int i = 1; i <= Montana::Rows * Montana::Columns; ++i) {
                const TCardPileView* view = form.View(QStringLiteral("CardPileView%1").arg(i));
                if (view->Pile.size() > 1 || (view->Pile.size() == 1 && view->Pile.Top()->Value == FS_ACE))
                    return QStringLiteral("%1 holds %2")
                        .arg(view->objectName(), TableKit::Describe(view->Pile));
            }
            const TCardPile& aces = form.View(QStringLiteral("DiscardPileView"))->Pile;
            if (aces.size() != 4)
                return QStringLiteral("the Aces set aside are %1").arg(TableKit::Describe(aces));
            return {};
        };
        // Every row built to its Queen; the Kings lie in the last column, each in another suit's row.
        rules.NearlyWon = [](std::mt19937& rng) {
            std::array<int, 4> kings{0, 1, 2, 3};
            std::shuffle(kings.begin(), kings.end(), rng);
            QList<std::pair<QString, QString>> piles{{QStringLiteral("DiscardPileView"), "AC AS AD AH"}};
            for (int row = 0; row < 4; ++row) {
                for (int column = 0; column < 11; ++column)
                    piles.append({QStringLiteral("CardPileView%1").arg(13 * row + column + 1),
                                  CardName(column + 1, row)});
                piles.append(
                    {QStringLiteral("CardPileView%1").arg(13 * row + 13), CardName(FS_KING, kings[row])});
            }
            return piles;
        };
        break;
    default:
        break;
    }
    return rules;
}

bool FacesLegal(const TCardPile& pile, Faces rule) {
    bool seenUp = false;
    for (const TCard* card : pile.Cards) {
        const bool up = card->FaceUp;
        if ((rule == Faces::Up && !up) || (rule == Faces::Down && up) ||
            (rule == Faces::DownBelowUp && seenUp && !up))
            return false;
        seenUp = seenUp || up;
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

const char* PolicyName(Policy policy) {
    return policy == Policy::Random ? "random" : "purposeful";
}

int EnvInt(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// ---- the purposeful policy ------------------------------------------------------------

// A legal move: the card at `index` of `from`, with those above it, onto `to`; or, with `to`
// null, the double-click action on `from`'s top card, which plays it home.
struct Move {
    TCardPileView* from = nullptr;
    int index = -1;
    TCardPileView* to = nullptr;
    int score = 0;
};

// Finds the legal moves of a table through the window's own rules, the way a drag would ask
// them, and rates them: cards home first, then moves that turn a card up, uncover a card that
// can go home, empty a column or bring a waste or cell card into play. Moving a card that has
// just moved rates low, so that play does not go back and forth.
class PurposefulChooser {
public:
    explicit PurposefulChooser(TGameForm* form) : m_form(form) {}

    std::optional<Move> Best(std::mt19937& rng) {
        std::optional<Move> best;
        for (Move& move : Legal()) {
            move.score = Score(move) + std::uniform_int_distribution<int>(0, 9)(rng);
            if (!best || move.score > best->score)
                best = move;
        }
        return best;
    }
    void Played(const Move& move) {
        m_recent.push_back({move.from->Pile.CardAt(move.index), move.from});
        if (m_recent.size() > 8)
            m_recent.pop_front();
    }
    // The move changed nothing (the press found another card, or the window refused it).
    void Refused(const Move& move) { m_refused.insert({move.from->Pile.CardAt(move.index), move.to}); }
    void TableChanged() { m_refused.clear(); }
    void NewDeal() {
        m_refused.clear();
        m_recent.clear();
    }

private:
    // What a drag lifts, lifted for the length of a question, and put back exactly.
    class Lifted {
    public:
        Lifted(TCardPileView* view, int index)
            : m_view(view), m_drag(view->DragPile.Cards), m_selected(view->SelectedCard) {
            view->DragPile.Cards = view->Pile.Cards.mid(index);
            view->Pile.Cards.resize(index);
            view->SelectedCard = view->DragPile.Cards.first();
        }
        ~Lifted() {
            m_view->Pile.Cards += m_view->DragPile.Cards;
            m_view->DragPile.Cards = m_drag;
            m_view->SelectedCard = m_selected;
        }
        Lifted(const Lifted&) = delete;
        Lifted& operator=(const Lifted&) = delete;

    private:
        TCardPileView* m_view;
        QList<TCard*> m_drag;
        TCard* m_selected;
    };

    std::vector<Move> Legal() {
        std::vector<Move> moves;
        for (TCardPileView* from : m_form->AllViews()) {
            if (!from->isVisible() || from->Pile.isEmpty() || m_form->Role(from) == TPileRole::Foundation)
                continue;
            const int top = from->Pile.size() - 1;
            const TCard* card = from->Pile.Top();
            if (card->FaceUp && WindowAccess::HomeFor(m_form, card, from) &&
                !m_refused.contains({card, nullptr}))
                moves.push_back({from, top, nullptr});
            if (!from->AllowDrag)
                continue;
            for (int index = top; index >= 0 && from->Pile.CardAt(index)->FaceUp; --index) {
                if (!WindowAccess::MayDrag(m_form, from, index))
                    continue;
                const TCard* lifted = from->Pile.CardAt(index);
                const Lifted lift(from, index);
                for (TCardPileView* to : m_form->AllViews()) {
                    if (to != from && to->isVisible() && !m_refused.contains({lifted, to}) &&
                        WindowAccess::MayDrop(m_form, to, from))
                        moves.push_back({from, index, to});
                }
            }
        }
        return moves;
    }

    int Score(const Move& move) const {
        if (!move.to || m_form->Role(move.to) == TPileRole::Foundation)
            return 100;
        const TPileRole from = m_form->Role(move.from);
        const TPileRole to = m_form->Role(move.to);
        int score = 0;
        if (move.index > 0) {
            const TCard* below = move.from->Pile.CardAt(move.index - 1);
            if (!below->FaceUp)
                score += 60;
            else if (WindowAccess::HomeFor(m_form, below, move.from))
                score += 30;
        } else if (from == TPileRole::Tableau) {
            score += move.to->Pile.isEmpty() ? -100 : 15; // a column emptied, unless into another
        }
        if (from != TPileRole::Tableau && to == TPileRole::Tableau)
            score += 20;
        if (to == TPileRole::FreeCell)
            score -= 15;
        const TCard* card = move.from->Pile.CardAt(move.index);
        for (const auto& [moved, source] : m_recent) {
            if (moved == card)
                score -= source == move.to ? 80 : 30;
        }
        return score;
    }

    TGameForm* m_form;
    QSet<std::pair<const TCard*, const TCardPileView*>> m_refused;
    std::deque<std::pair<const TCard*, const TCardPileView*>> m_recent;
};

// One game window played at random, with the invariants checked after every action.
class RandomPlayer {
public:
    RandomPlayer(GameFixture& fx, TGameForm* form, std::uint32_t seed, Policy policy)
        : m_fx(fx), m_form(form), m_rules(RulesFor(form->GameIndex())), m_rng(seed), m_policy(policy),
          m_chooser(form) {
        m_dealSnapshot = TableKit::Snapshot(*form);
        m_undoBaseline = DealBaseline();
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
    Policy m_policy;
    PurposefulChooser m_chooser;
    QString m_chooserTable;      // the table the chooser last looked at
    int m_chooserDeals = -1;     // the deal it was looking at
    int m_bestProgress = 0;      // the furthest the current deal got
    int m_sinceProgress = 0;     // actions since then
    QString m_dealSnapshot;      // the table right after the last deal or restart
    QString m_undoBaseline;      // where undoing everything leads: the deal, or a table laid out since
    int m_undoBaselineMoves = 0; // and the move count there (a redeal keeps the moves before it)
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
        if (preferCards && Chance(m_rules.GapPresses)) {
            QList<TCardPileView*> empty;
            for (TCardPileView* view : views)
                if (view->Pile.isEmpty())
                    empty << view;
            if (!empty.isEmpty())
                return empty[Pick(empty.size())];
        }
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
        const bool opened = Opened();
        QString what;
        const int roll = Pick(100);
        if (m_policy == Policy::Purposeful)
            what = PurposefulAction(askedBefore);
        else if (roll < 40)
            what = m_form->ShowsBars() && Chance(25) ? Keys() : Drag();
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
            what = Chance(70) ? Undo() : UndoRedoRoundTrip();
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
                const int dealMoves = m_rules.DealDraws ? 1 : 0;
                // The second press of a double-click, or the keys after the winning one, reach the
                // new game here, where the program's modal win window would hold them: what they
                // played is taken back (a press on a Golf column rightly locks its option, though).
                const bool inputWentOn =
                    what.startsWith(QLatin1String("double-click")) || what.startsWith(QLatin1String("keys"));
                QAction* undo = m_form->Item(QStringLiteral("Undo1"));
                while (inputWentOn && undo->isEnabled() && m_form->UndoRecord().Count() > dealMoves)
                    undo->trigger();
                Dealt(!inputWentOn);
                // The deal itself makes no move: anything recorded since was played on the
                // new game by an autoplay pass still running for the old one.
                if ((m_form->MoveCount() != dealMoves || m_form->UndoRecord().Count() != dealMoves) &&
                    m_pendingFault.isEmpty())
                    m_pendingFault = QStringLiteral("the new game after a win starts with %1 moves made")
                                         .arg(m_form->MoveCount());
            } else
                m_wonSinceDeal = true;
        }
        if (m_form->GameOver())
            m_wonSinceDeal = true;
        if (!opened && Opened()) {
            // The action may have gone on past the opening step: undo back to where it left the table.
            QAction* undo = m_form->Item(QStringLiteral("Undo1"));
            while (undo && undo->isEnabled())
                undo->trigger();
            m_undoBaseline = TableKit::Snapshot(*m_form);
            what += QStringLiteral(" -> opening done");
        }
        return what;
    }

    // Where undoing everything after a deal leads.
    QString DealBaseline() const {
        return m_rules.DealDraws ? BeforeDealDraw(m_dealSnapshot) : m_dealSnapshot;
    }

    bool Opened() const { return !m_rules.OpeningDone || m_rules.OpeningDone(*m_form); }

    // Mostly the best legal move; now and then the other inputs, for breadth. A new game only
    // once this one is won or stuck.
    QString PurposefulAction(int askedBefore) {
        if (m_form->GameOver())
            return NewGameOrRestart(false, askedBefore);
        const int roll = Pick(1000);
        if (roll < 15)
            return Undo();
        if (roll < 25)
            return ToggleOption();
        if (roll < 30)
            return ChangePreferences();
        if (roll < 33)
            return Resize();
        if (roll < 34)
            return UndoEverything();
        if (roll < 35)
            return NewGameOrRestart(true, askedBefore);
        return PurposefulMove(askedBefore);
    }

    // Cards home count most, then face-down cards turned up.
    int Progress() const {
        int progress = 0;
        for (const TCardPileView* view : m_form->AllViews()) {
            const bool home = m_form->Role(view) == TPileRole::Foundation;
            for (const TCard* card : view->Pile.Cards)
                progress += home ? 100 : card->FaceUp ? 0 : -1;
        }
        return progress;
    }

    QString PurposefulMove(int askedBefore) {
        constexpr int StuckAfter = 150; // actions without progress: time for another deal
        const QString table = TableKit::Snapshot(*m_form);
        if (m_deals != m_chooserDeals) {
            m_chooserDeals = m_deals;
            m_chooser.NewDeal();
            m_bestProgress = Progress();
            m_sinceProgress = 0;
        } else if (table != m_chooserTable) {
            m_chooser.TableChanged();
        }
        m_chooserTable = table;
        if (const int progress = Progress(); progress > m_bestProgress) {
            m_bestProgress = progress;
            m_sinceProgress = 0;
        } else if (++m_sinceProgress > StuckAfter) {
            return NewGameOrRestart(false, askedBefore) + QStringLiteral(" (stuck)");
        }

        const auto best = m_chooser.Best(m_rng);
        const bool worthIt = best && (best->score >= 10 || (best->score > -20 && Chance(25)));
        if (!worthIt && m_form->HasStock())
            return StockClick();
        if (!best || best->score <= -50)
            return NewGameOrRestart(false, askedBefore) + QStringLiteral(" (no move)");
        return Play(*best);
    }

    QString Play(const Move& move) {
        const QString before = TableKit::Snapshot(*m_form);
        m_chooser.Played(move);
        QString what;
        if (!move.to) {
            MouseKit::DoubleClick(move.from, PointOn(move.from, move.index));
            what = QStringLiteral("home: double-click %1").arg(Where(move.from, move.index));
        } else {
            const QPoint start = PointOn(move.from, move.index);
            const QPoint end = PointOn(move.to, move.to->Pile.size() - 1);
            MouseKit::Drag(move.from, start, move.to, end, 1 + Pick(4));
            what = QStringLiteral("move (%1): drag %2 to %3")
                       .arg(move.score)
                       .arg(Where(move.from, move.index), move.to->objectName());
        }
        if (TableKit::Snapshot(*m_form) == before)
            m_chooser.Refused(move);
        return what;
    }

    void Dealt(bool optionsUnlocked = true) {
        m_dealKnown = true;
        m_dealSnapshot = TableKit::Snapshot(*m_form);
        m_undoBaseline = DealBaseline();
        m_undoBaselineMoves = 0;
        m_dealCards = m_form->SavedDeal().Cards;
        m_wonSinceDeal = false;
        ++m_deals;
        // A new game unlocks every option a game in progress may have locked.
        for (QAction* action : m_form->PopupMenu()->actions())
            if (optionsUnlocked && action->isCheckable() && !action->isEnabled() && m_pendingFault.isEmpty())
                m_pendingFault = QStringLiteral("%1 is disabled in a new game").arg(action->objectName());
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
        // Now and then the stock is run down in one go, so that play reaches the last phases of the
        // games (an empty stock, a second pass) before the next deal.
        if (Chance(5)) {
            int clicks = 0;
            // A win ends the run: the program's win window would hold the clicks after it.
            const int wins = m_fx.WinWindows;
            for (int before = -1; stock->Pile.size() != before && !stock->Pile.isEmpty() && clicks < 200 &&
                                  m_fx.WinWindows == wins;
                 ++clicks) {
                before = stock->Pile.size();
                MouseKit::Click(stock, PointOn(stock, stock->Pile.size() - 1));
            }
            return QStringLiteral("click DeckPileView until it is empty (%1 clicks)").arg(clicks);
        }
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
            m_undoBaseline = DealBaseline();
            m_undoBaselineMoves = 0;
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
            if (action->isCheckable() || m_rules.Commands.contains(action->objectName()))
                options << action;
        if (options.isEmpty())
            return Drag();
        QAction* option = options[Pick(options.size())];
        if (!option->isCheckable()) {
            const bool byKey = !option->shortcut().isEmpty() && Chance(50);
            if (byKey)
                QTest::keySequence(m_form, option->shortcut());
            else
                option->trigger();
            if (m_form->UndoRecord().Count() == 0) {
                m_undoBaseline = TableKit::Snapshot(*m_form);
                m_undoBaselineMoves = m_form->MoveCount();
            }
            return QStringLiteral("%1 %2%3").arg(byKey ? "key of" : "item", option->objectName(),
                                                 option->isEnabled() ? "" : " (disabled)");
        }
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
        m_fx.Prefs.ShowMenuBar = Chance(50);
        const int tableHeight = m_form->Table()->height();
        if (QAction* item = m_form->Item(QStringLiteral("Preferences1")))
            item->trigger();
        if (m_form->Table()->height() != tableHeight && !m_form->isMaximized() && m_pendingFault.isEmpty())
            m_pendingFault = QStringLiteral("the bars changed the table's height from %1 to %2")
                                 .arg(tableHeight)
                                 .arg(m_form->Table()->height());
        return QStringLiteral("preferences smart=%1 vegas=%2 bars=%3")
            .arg(m_fx.Prefs.SmartDragging)
            .arg(m_fx.Prefs.VegasScoring)
            .arg(m_fx.Prefs.ShowMenuBar);
    }

    // A few keys of keyboard play; cards still held at the end go down or back.
    QString Keys() {
        static const std::pair<int, const char*> keys[] = {
            {Qt::Key_Left, "left"},    {Qt::Key_Right, "right"}, {Qt::Key_Up, "up"},
            {Qt::Key_Down, "down"},    {Qt::Key_Tab, "tab"},     {Qt::Key_Backtab, "S-tab"},
            {Qt::Key_Return, "enter"}, {Qt::Key_Escape, "esc"}};
        QStringList sent;
        for (int i = 1 + Pick(6); i > 0; --i) {
            const auto& [key, name] = keys[Pick(8)];
            const bool shifted = key == Qt::Key_Return && Chance(20);
            QTest::keyClick(m_form, Qt::Key(key), shifted ? Qt::ShiftModifier : Qt::NoModifier);
            sent << (shifted ? QStringLiteral("S-enter") : QString::fromLatin1(name));
        }
        if (m_form->Keyboard()->Holding()) {
            const bool drop = Chance(70);
            QTest::keyClick(m_form, drop ? Qt::Key_Return : Qt::Key_Escape);
            sent << (drop ? QStringLiteral("enter") : QStringLiteral("esc"));
        }
        return QStringLiteral("keys %1").arg(sent.join(' '));
    }

    // The whole visible state of the window, for comparing before and after.
    QString FullState(bool caption = true) const {
        QStringList lines{TableKit::Snapshot(*m_form), caption ? m_form->windowTitle() : QString(),
                          QStringLiteral("moves %1, records %2, undo %3, over %4")
                              .arg(m_form->MoveCount())
                              .arg(m_form->UndoRecord().Count())
                              .arg(m_form->Item(QStringLiteral("Undo1"))->isEnabled())
                              .arg(m_form->GameOver())};
        for (const TCardPileView* view : m_form->AllViews())
            lines << QStringLiteral("%1 shown %2 drag %3 mark %4 hint %5")
                         .arg(view->objectName())
                         .arg(!view->isHidden())
                         .arg(view->AllowDrag)
                         .arg(view->State)
                         .arg(view->ShowHint() ? view->Hint() : QString());
        for (const QLabel* label : m_form->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            lines << label->text();
        for (const QLabel* label : m_form->Table()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            lines << label->text();
        return lines.join('\n');
    }

    // Undo a few times, then Redo as many: the window must be exactly as it was.
    QString UndoRedoRoundTrip() {
        QAction* undo = m_form->Item(QStringLiteral("Undo1"));
        // Now and then the scoring changes in between: the caption then follows it, which Check() sees.
        const bool vegas = Chance(20);
        const QString before = FullState(!vegas);
        int undone = 0;
        for (int i = 1 + Pick(3); i > 0 && undo->isEnabled(); --i, ++undone)
            undo->trigger();
        if (vegas) {
            m_fx.Prefs.VegasScoring = !m_fx.Prefs.VegasScoring;
            m_form->Item(QStringLiteral("Preferences1"))->trigger();
        }
        for (int i = 0; i < undone; ++i) {
            const int way = m_form->ShowsBars() ? Pick(3) : 3;
            if (way == 0)
                QTest::keyClick(m_form, Qt::Key_Y, Qt::ControlModifier);
            else if (way == 1)
                QTest::keyClick(m_form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            else if (way == 2)
                m_form->Item(QStringLiteral("Redo1"))->trigger();
            else
                m_form->Redo1Click();
        }
        const QString after = FullState(!vegas);
        if (after != before && m_pendingFault.isEmpty())
            m_pendingFault = QStringLiteral("undo then redo changed the window:\nbefore\n%1\nafter\n%2")
                                 .arg(before, after);
        return QStringLiteral("undo %1 times, %2redo as often")
            .arg(undone)
            .arg(vegas ? "vegas switched, " : "");
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
        if (m_form->GameOver())
            return DoubleClick();
        if (m_rules.NearlyWon)
            return LayOut(m_rules.NearlyWon(m_rng));
        if (m_rules.WholeSuitFoundations && !m_form->Tableau().isEmpty())
            return WholeSuitsNearlyHome();
        if (!m_rules.SuitFoundations || m_form->Foundations().size() < 4 * m_rules.Decks ||
            m_form->Tableau().isEmpty())
            return DoubleClick();
        QList<std::pair<QString, QString>> piles;
        QStringList loose;
        for (int f = 0; f < 4 * m_rules.Decks; ++f) {
            const int suit = f % 4;
            const int home = 9 + Pick(4); // 9..12 cards home, the rest loose
            QStringList cards;
            for (int v = 0; v < 13; ++v)
                (v < home ? cards : loose) << CardName(v, suit);
            piles.append({m_form->Foundations()[f]->objectName(), cards.join(' ')});
        }
        std::shuffle(loose.begin(), loose.end(), m_rng);
        QHash<QString, QStringList> columns;
        const QList<TCardPileView*>& tableau = m_form->Tableau();
        for (const QString& card : loose)
            columns[tableau[Pick(tableau.size())]->objectName()] << card;
        for (auto it = columns.cbegin(); it != columns.cend(); ++it)
            piles.append({it.key(), it.value().join(' ')});
        return LayOut(piles);
    }

    // Every suit home but one or two, which lie face up on the columns as runs from the King
    // down, each whole or split in two; a whole one is often dragged home at once, since a
    // random drag seldom takes all thirteen.
    QString WholeSuitsNearlyHome() {
        const QList<TCardPileView*>& foundations = m_form->Foundations();
        const QList<TCardPileView*>& tableau = m_form->Tableau();
        const int loose = 1 + Pick(2);
        QList<std::pair<QString, QString>> piles;
        QHash<QString, QStringList> columns;
        std::optional<std::pair<QString, int>> whole; // a column and the index of its whole run's King
        for (int f = 0; f < foundations.size(); ++f) {
            QStringList run;
            for (int v = 12; v >= 0; --v)
                run << CardName(v, f % 4);
            if (f < foundations.size() - loose) {
                piles.append({foundations[f]->objectName(), run.join(' ')});
                continue;
            }
            const int split = Chance(50) ? 13 : 1 + Pick(12);
            const QString name = tableau[Pick(tableau.size())]->objectName();
            QStringList& column = columns[name];
            if (split == 13)
                whole = {name, static_cast<int>(column.size())};
            column << run.mid(0, split);
            if (split < 13)
                columns[tableau[Pick(tableau.size())]->objectName()] << run.mid(split);
        }
        for (auto it = columns.cbegin(); it != columns.cend(); ++it)
            piles.append({it.key(), it.value().join(' ')});
        QString what = LayOut(piles);
        if (whole && Chance(60) && !m_form->GameOver()) {
            TCardPileView* from = m_form->View(whole->first);
            TCardPileView* home = nullptr;
            for (TCardPileView* foundation : m_form->Foundations())
                if (!home && foundation->Pile.isEmpty())
                    home = foundation;
            if (home && whole->second < from->Pile.size()) {
                MouseKit::Drag(from, PointOn(from, whole->second), home, PointOn(home, -1), 1 + Pick(4));
                what += QStringLiteral(", drag %1 home").arg(Where(from, whole->second));
            }
        }
        return what;
    }

    QString LayOut(const QList<std::pair<QString, QString>>& piles) {
        TableKit::Arrange(*m_form, piles, QString());
        GameAccess::SetMoves(m_form, 0);              // a fresh start, as after a deal
        m_undoBaseline = TableKit::Snapshot(*m_form); // the autoplay that follows is undoable
        m_undoBaselineMoves = 0;
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
            else if (m_rules.UndoTakesEveryMove && m_form->MoveCount() != m_undoBaselineMoves)
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
        const bool lagging = m_rules.CaptionLagsAfterDeal && m_dealKnown &&
                             form.windowTitle() == form.Info().GameName &&
                             TableKit::Snapshot(form) == m_dealSnapshot;
        if (!lagging) {
            if (form.windowTitle() != WindowAccess::Caption(m_form))
                return QStringLiteral("caption \"%1\" is stale; the table gives \"%2\"")
                    .arg(form.windowTitle(), WindowAccess::Caption(m_form));
            const QString caption = m_rules.Caption ? m_rules.Caption(form, m_fx.Prefs)
                                                    : StandardCaption(form, Score(form, m_rules));
            if (form.windowTitle() != caption)
                return QStringLiteral("caption \"%1\", expected \"%2\"").arg(form.windowTitle(), caption);
        }
        if (form.ComputeScore() != Score(form, m_rules))
            return QStringLiteral("score %1, the table gives %2")
                .arg(form.ComputeScore())
                .arg(Score(form, m_rules));
        if (m_rules.Table)
            if (QString fault = m_rules.Table(form); !fault.isEmpty())
                return fault;
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
        QTest::addColumn<Policy>("policy");
        const int only = EnvInt("QUINTARO_RANDOMPLAY_GAME", -1);
        int rows = 0;
        for (int game = 0; game < GI_COUNT; ++game) {
            if (!GameFactory(game).Available() || (only >= 0 && game != only))
                continue;
            for (bool small : {false, true}) {
                for (Policy policy : {Policy::Random, Policy::Purposeful}) {
                    QTest::addRow("%s %s %s", GameTable()[game].Section, small ? "small" : "large",
                                  PolicyName(policy))
                        << game << small << policy;
                    ++rows;
                }
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
        QFETCH(Policy, policy);
        const int actions = EnvInt("QUINTARO_RANDOMPLAY_ACTIONS", 300);
        const auto runSeed = static_cast<std::uint32_t>(EnvInt("QUINTARO_RANDOMPLAY_SEED", 20240611));
        const std::uint32_t seed = runSeed * 31u + static_cast<std::uint32_t>(game) * 4u + (small ? 1u : 0u) +
                                   (policy == Policy::Purposeful ? 2u : 0u);
        TRandom::Seed(seed);
        {
            GameFixture fx;
            fx.Prefs.SmartDragging = true;
            std::unique_ptr<TGameForm> form = OpenGameWindow(fx, game, small);
            QVERIFY(form);

            RandomPlayer player(fx, form.get(), seed, policy);
            const QString fault = player.Play(actions);
            if (!fault.isEmpty())
                QFAIL(qPrintable(
                    QStringLiteral("%1 (%2, %3), replay with QUINTARO_RANDOMPLAY_SEED=%4 "
                                   "QUINTARO_RANDOMPLAY_ACTIONS=%5 QUINTARO_RANDOMPLAY_GAME=%6: %7")
                        .arg(GameTable()[game].GameName, small ? "small" : "large", PolicyName(policy))
                        .arg(runSeed)
                        .arg(actions)
                        .arg(game)
                        .arg(fault)));
            qInfo("%s %s %s: %d actions, %d changed the table, %d deals, %d wins, highest move count %d",
                  GameTable()[game].Section, small ? "small" : "large", PolicyName(policy), actions,
                  player.Changes(), player.Deals(), player.Wins(), player.MaxMoves());
            fx.Messages.Answer = true;
            form.reset();
        }
        QCOMPARE(TCard::LiveCount(), 0); // every card of every deal released
    }
};

QTEST_MAIN(TestRandomPlay)
#include "tst_randomplay.moc"
