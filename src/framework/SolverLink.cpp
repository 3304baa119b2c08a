#include "framework/SolverLink.h"

#include "framework/Messages.h"
#include "framework/TGameForm.h"
#include "solver/AsyncSolver.h"
#include "solver/Deals.h"
#include "solver/Solver.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressDialog>
#include <QStatusBar>

using namespace Solver;

namespace {

// How long the table must stay still before it is solved again, so that a
// burst of changes (a move, its turn-up, autoplay) starts one search.
constexpr int SettleMillis = 50;
// Polling while cards are in the air: the table settles when they land.
constexpr int DragPollMillis = 100;
// Hint waits this long for the search of the current table before it falls
// back on a legal move.
constexpr int HintWaitMillis = 1'500;
constexpr int MarkMillis = 1'000;
// The progress dialog of a winnable deal shows only when the choice takes a while.
constexpr int ProgressDelayMillis = 300;

QString VerdictLabel(TVerdict verdict) {
    switch (verdict) {
    case TVerdict::Winnable:
        return QStringLiteral("Winnable");
    case TVerdict::NotWinnable:
        return QStringLiteral("Not winnable");
    case TVerdict::Unknown:
        break;
    }
    return QStringLiteral("Unknown");
}

const QString Solving = QStringLiteral("Solving...");

} // namespace

TSolverLink::TSolverLink(TGameForm* form) : QObject(form), m_form(form) {
    m_settle.setSingleShot(true);
    connect(&m_settle, &QTimer::timeout, this, &TSolverLink::Restart);
    m_hintWait.setSingleShot(true);
    connect(&m_hintWait, &QTimer::timeout, this, [this] {
        if (std::exchange(m_hintPending, false))
            ShowHint(nullptr);
    });
    m_marksOff.setSingleShot(true);
    connect(&m_marksOff, &QTimer::timeout, this, &TSolverLink::ClearMarks);
}

TSolverLink::~TSolverLink() {
    // The worker is a child: its destructor cancels and joins the searches.
    qApp->removeEventFilter(this);
}

TAsyncSolver& TSolverLink::Worker() {
    if (!m_worker) {
        m_worker = new TAsyncSolver(this);
        connect(m_worker, &TAsyncSolver::Finished, this, &TSolverLink::Finished);
    }
    return *m_worker;
}

bool TSolverLink::Busy() const {
    return m_worker && m_worker->Busy();
}

void TSolverLink::Attach(QStatusBar* bar) {
    auto* field = new QLabel(bar);
    field->setObjectName(QStringLiteral("SolverLabel"));
    bar->addPermanentWidget(field);
    m_field = field;
    m_position.reset();
    m_result.reset();
    TableChanged();
}

void TSolverLink::Detach() {
    Stop();
    m_field = nullptr;
}

void TSolverLink::Stop() {
    m_settle.stop();
    m_hintWait.stop();
    m_hintPending = false;
    if (m_worker)
        m_worker->Cancel();
    m_position.reset();
    m_result.reset();
    ClearMarks();
}

void TSolverLink::TableChanged() {
    // A hint belongs to the table it was asked on, shown or still waiting for its search.
    ClearMarks();
    m_hintPending = false;
    m_hintWait.stop();
    if (!m_field || m_choosing)
        return;
    m_settle.start(SettleMillis);
}

bool TSolverLink::Settled() const {
    for (const TCardPileView* view : m_form->AllViews())
        if (view->IsDragging())
            return false;
    return true;
}

QString TSolverLink::StatusText() const {
    return m_field ? m_field->text() : QString();
}

void TSolverLink::ShowVerdict(const QString& text, const QString& note) {
    if (!m_field)
        return;
    m_field->setText(text);
    m_field->setToolTip(note);
}

void TSolverLink::Restart() {
    if (!m_field || m_choosing)
        return;
    if (!Settled()) {
        m_settle.start(DragPollMillis);
        return;
    }
    TPosition position = m_form->SolverPosition();
    const TRules rules = m_form->SolverRules();
    // The same table again (a refused drop, a refresh): its search or verdict stands.
    if (m_position && *m_position == position && m_rules == rules)
        return;
    m_position = std::move(position);
    m_rules = rules;
    m_result.reset();
    TLimits limits = TSolver::DefaultLimits(m_form->GameIndex());
    limits.MaxMillis = qMin(limits.MaxMillis, StatusMillis);
    limits.MaxTableBytes = qMin(limits.MaxTableBytes, StatusTableBytes);
    m_ticket = Worker().Start(*m_position, m_rules, limits);
    ShowVerdict(Solving);
}

void TSolverLink::Finished(quint64 ticket, const TResult& result) {
    if (m_choosing) {
        if (ticket == m_tryTicket)
            m_tryResult = result;
        return;
    }
    if (ticket != m_ticket || !m_position || !m_field)
        return;
    // A verdict is shown only for the table it was found for.
    if (Settled() && (*m_position != m_form->SolverPosition() || m_rules != m_form->SolverRules())) {
        Restart();
        return;
    }
    m_result = result;
    ShowVerdict(VerdictLabel(result.Verdict), QString::fromStdString(result.Note));
    if (std::exchange(m_hintPending, false)) {
        m_hintWait.stop();
        ShowHint(&*m_result);
    }
}

// ---- Hint ------------------------------------------------------------------------------

void TSolverLink::Hint() {
    ClearMarks();
    if (!m_field || !Settled())
        return;
    // Solves now rather than after the settling pause, when the table has moved.
    m_settle.stop();
    Restart();
    if (m_result) {
        ShowHint(&*m_result);
        return;
    }
    m_hintPending = true;
    m_hintWait.start(HintWaitMillis);
}

void TSolverLink::ShowHint(const TResult* result) {
    if (result && result->Verdict == TVerdict::Winnable && !result->Moves.empty()) {
        Mark(result->Moves.front());
        return;
    }
    const std::vector<TMove> moves =
        TSolver(m_form->GameIndex(), m_form->SolverRules()).LegalMoves(m_form->SolverPosition());
    if (moves.empty()) {
        TMessages::Instance().Information(m_form, QStringLiteral("No more moves."));
        return;
    }
    Mark(moves.front());
}

void TSolverLink::Mark(const TMove& move) {
    TCardPileView* from = m_form->View(QString::fromStdString(move.From));
    TCardPileView* to = m_form->View(QString::fromStdString(move.To));
    if (!from) {
        // A command rather than a move (Montana's Shuffle Remaining): named on the status line.
        QAction* item = m_form->Item(QString::fromStdString(move.From));
        if (item && m_form->StatusBar())
            m_form->StatusBar()->showMessage(item->text().remove(QLatin1Char('&')), MarkMillis * 3);
        return;
    }
    MarkView(from, from->Pile.size() - qMax(1, move.Cards));
    // A click on the stock is marked on the stock alone.
    if (to && to != from && m_form->Role(from) != TPileRole::Stock)
        MarkView(to, to->Pile.size() - 1);
    qApp->installEventFilter(this);
    m_marksOff.start(MarkMillis);
}

void TSolverLink::MarkView(TCardPileView* view, int first) {
    view->SetHighlight(qMax(0, first));
    m_marked.append(view);
}

void TSolverLink::ClearMarks() {
    m_marksOff.stop();
    for (const QPointer<TCardPileView>& view : std::as_const(m_marked))
        if (view)
            view->SetHighlight(-1);
    m_marked.clear();
    if (!m_choosing)
        qApp->removeEventFilter(this);
}

bool TSolverLink::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::Close:
        break;
    default:
        return false;
    }
    if (!m_marked.isEmpty() && event->type() != QEvent::ShortcutOverride && event->type() != QEvent::Close)
        ClearMarks();
    // While a deal is being chosen the window takes no input: its table is about to go.
    if (m_choosing) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == m_form) {
            event->ignore();
            return true;
        }
    }
    return false;
}

// ---- a winnable deal ----------------------------------------------------------------------

std::optional<quint32> TSolverLink::ChooseWinnableDeal(quint32 first) {
    const QPointer<TGameForm> form = m_form;
    const int game = m_form->GameIndex();
    const TRules rules = m_form->SolverRules();
    TLimits limits = TSolver::DefaultLimits(game);
    limits.MaxMillis = qMin(limits.MaxMillis, TryMillis);
    limits.MaxTableBytes = qMin(limits.MaxTableBytes, StatusTableBytes);

    Stop();
    m_choosing = true;
    qApp->installEventFilter(this);
    // Owned by the window, so that it goes with it should the window go while it waits.
    auto* progress = new QProgressDialog(QStringLiteral("Looking for a winnable deal..."),
                                         QStringLiteral("Deal Now"), 0, MaxTries, m_form);
    progress->setObjectName(QStringLiteral("WinnableDealProgress"));
    progress->setWindowTitle(QString::fromUtf8(m_form->Info().GameName));
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(ProgressDelayMillis);
    progress->setAutoReset(false);
    progress->setAutoClose(false);
    progress->setValue(0);
    QTimer::singleShot(ProgressDelayMillis, progress, [progress] {
        if (!progress->wasCanceled())
            progress->show();
    });

    QElapsedTimer clock;
    clock.start();
    quint32 deal = first;
    std::optional<quint32> chosen;
    std::optional<TResult> proof;
    QString note;
    for (int tries = 0;; ++tries) {
        if (tries >= MaxTries || clock.elapsed() >= MaxChoosingMillis) {
            note = QStringLiteral("No winnable deal found in %1 tries").arg(tries);
            chosen = deal;
            break;
        }
        progress->setValue(tries);
        const TPosition start = StartPosition(game, deal);
        m_tryResult.reset();
        m_tryTicket = Worker().Start(start, rules, limits);
        QEventLoop wait;
        const auto quit = [&wait] { wait.quit(); };
        QMetaObject::Connection done = connect(m_worker, &TAsyncSolver::Finished, &wait, quit);
        QMetaObject::Connection cancelled = connect(progress, &QProgressDialog::canceled, &wait, quit);
        if (!m_tryResult)
            wait.exec();
        disconnect(done);
        disconnect(cancelled);
        if (!form)
            return std::nullopt;
        if (progress->wasCanceled()) {
            m_worker->Cancel();
            chosen = deal;
            break;
        }
        if (m_tryResult && m_tryResult->Verdict == TVerdict::Winnable) {
            chosen = deal;
            proof = m_tryResult;
            m_position = start;
            break;
        }
        std::uint32_t next = 0;
        DeckOrder(deal, DeckCount(game), &next);
        deal = next;
    }
    m_choosing = false;
    qApp->removeEventFilter(this);
    delete progress;
    // The proof stands for the table about to be dealt, so that table is not solved again.
    if (proof) {
        m_rules = rules;
        m_result = proof;
        ShowVerdict(VerdictLabel(proof->Verdict));
    } else {
        m_position.reset();
    }
    if (!note.isEmpty() && m_form->StatusBar())
        m_form->StatusBar()->showMessage(note, 5'000);
    return chosen;
}
