#pragma once

#include "solver/Solver.h"

#include <QObject>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

Q_DECLARE_METATYPE(Solver::TResult)

namespace Solver {

// Runs the solver on a worker thread, one search at a time: starting another
// (when the deal or the position changes) cancels the one running, whose
// result is then never delivered. Finished arrives on the thread that owns
// this object. Destroying it cancels and waits for its workers.
class TAsyncSolver : public QObject {
    Q_OBJECT

public:
    explicit TAsyncSolver(QObject* parent = nullptr);
    ~TAsyncSolver() override;

    // Starts solving `position`; returns the ticket that Finished will carry.
    quint64 Start(const TPosition& position, const TRules& rules, const TLimits& limits);
    // Stops the running search; its result is dropped.
    void Cancel();
    bool Busy() const { return m_running != 0; }

signals:
    void Finished(quint64 ticket, const Solver::TResult& result);

private:
    struct TWorker {
        std::thread Thread;
        std::shared_ptr<std::atomic<bool>> Cancel;
        std::shared_ptr<std::atomic<bool>> Done;
    };
    void Reap(bool all);
    void Deliver(quint64 ticket, const TResult& result);

    std::vector<TWorker> m_workers;
    std::shared_ptr<std::atomic<bool>> m_currentCancel;
    quint64 m_ticket = 0;
    int m_running = 0;
};

} // namespace Solver
