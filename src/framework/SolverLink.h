#pragma once

#include "solver/SolverTypes.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <cstdint>
#include <optional>

class QLabel;
class QStatusBar;
class TCardPileView;
class TGameForm;
namespace Solver {
class TAsyncSolver;
}

// The solver as a game window uses it, while the menu bar and status line are
// shown: a status field with the verdict for the table as it stands, solved
// again on the worker whenever the table settles after a change; Hint, which
// marks the next move of the win found (or a legal move that makes progress);
// and the choice of a winnable deal for a new game. With the bars off nothing
// of it runs: no worker is ever made.
class TSolverLink : public QObject {
    Q_OBJECT

public:
    explicit TSolverLink(TGameForm* form);
    ~TSolverLink() override;

    // The status line was made (its field joins it) or is going away (searches stop).
    void Attach(QStatusBar* bar);
    void Detach();
    // Something may have moved: solve the table again once it settles.
    void TableChanged();
    // Stops every search for good (the window closes).
    void Stop();

    // Marks the next move for a moment; "No more moves." when none is left.
    void Hint();
    // Clears the marks of a hint.
    void ClearMarks();

    // From deal `first` on, the first deal the solver proves winnable among the next few
    // new games; a progress dialog shows when it takes a while, and its Cancel deals
    // the deal being tried. Null when the window went away meanwhile.
    std::optional<quint32> ChooseWinnableDeal(quint32 first);

    // The status field's text ("Solving...", "Winnable", "Not winnable", "Unknown").
    QString StatusText() const;
    // Whether a search runs.
    bool Busy() const;

    // Tries and time a winnable deal may cost before the next deal is dealt anyway.
    static constexpr int MaxTries = 30;
    static constexpr int MaxChoosingMillis = 20'000;
    // Deals a search of at most this long proves winnable count; the rest are passed.
    static constexpr std::int64_t TryMillis = 3'000;
    // The status line's search runs after every move while the player plays on, so it is
    // kept lighter than a search asked for on purpose (command line, benchmark).
    static constexpr std::int64_t StatusMillis = 4'000;
    static constexpr std::size_t StatusTableBytes = std::size_t{128} << 20;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Solver::TAsyncSolver& Worker();
    bool Settled() const;
    void Restart();
    void Finished(quint64 ticket, const Solver::TResult& result);
    void ShowVerdict(const QString& text, const QString& note = {});
    void ShowHint(const Solver::TResult* result);
    void Mark(const Solver::TMove& move);
    void MarkView(TCardPileView* view, int first);

    TGameForm* m_form;
    Solver::TAsyncSolver* m_worker = nullptr;
    QPointer<QLabel> m_field;
    QTimer m_settle;   // the table changed; solve when it settles
    QTimer m_hintWait; // how long Hint waits for a search before it takes a legal move
    QTimer m_marksOff;
    QList<QPointer<TCardPileView>> m_marked;

    // The position being solved or solved, its rules, and the verdict once known.
    std::optional<Solver::TPosition> m_position;
    Solver::TRules m_rules;
    std::optional<Solver::TResult> m_result;
    quint64 m_ticket = 0;
    bool m_hintPending = false;
    bool m_choosing = false;
    // While choosing a deal: its search's result, and whether the player cancelled.
    std::optional<Solver::TResult> m_tryResult;
    quint64 m_tryTicket = 0;
};
