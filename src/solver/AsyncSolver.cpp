#include "solver/AsyncSolver.h"

#include <QMetaObject>

#ifdef __linux__
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace Solver {
namespace {

// On a busy machine a verdict may come a little later, but the window must not answer
// a click later: the search runs at a lower priority than the program's own thread.
void LowerThisThreadsPriority() {
#ifdef __linux__
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
#endif
}

} // namespace

TAsyncSolver::TAsyncSolver(QObject* parent) : QObject(parent) {
    qRegisterMetaType<Solver::TResult>();
}

TAsyncSolver::~TAsyncSolver() {
    for (TWorker& worker : m_workers)
        worker.Cancel->store(true);
    Reap(true);
}

quint64 TAsyncSolver::Start(const TPosition& position, const TRules& rules, const TLimits& limits) {
    Cancel();
    Reap(false);
    const quint64 ticket = ++m_ticket;
    TWorker worker;
    worker.Cancel = std::make_shared<std::atomic<bool>>(false);
    worker.Done = std::make_shared<std::atomic<bool>>(false);
    m_currentCancel = worker.Cancel;
    ++m_running;
    worker.Thread =
        std::thread([this, ticket, position, rules, limits, cancel = worker.Cancel, done = worker.Done] {
            LowerThisThreadsPriority();
            const TResult result = TSolver(position.Game, rules, limits).Solve(position, cancel.get());
            // Queued to this object's thread; dropped there when the search was cancelled.
            QMetaObject::invokeMethod(
                this, [this, ticket, result] { Deliver(ticket, result); }, Qt::QueuedConnection);
            done->store(true);
        });
    m_workers.push_back(std::move(worker));
    return ticket;
}

void TAsyncSolver::Cancel() {
    for (TWorker& worker : m_workers)
        worker.Cancel->store(true);
}

void TAsyncSolver::Deliver(quint64 ticket, const TResult& result) {
    --m_running;
    Reap(false);
    if (ticket == m_ticket && m_currentCancel && !m_currentCancel->load())
        emit Finished(ticket, result);
}

// Joins the workers that are done (all of them when `all`).
void TAsyncSolver::Reap(bool all) {
    for (auto it = m_workers.begin(); it != m_workers.end();) {
        if (all || it->Done->load()) {
            it->Thread.join();
            it = m_workers.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace Solver
