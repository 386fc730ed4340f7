#include "batch/InOrderRun.h"

#include "batch/DurableOutputs.h"
#include "batch/FileRowRun.h"
#include "core/Err.h"
#include "core/mTezC.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QSet>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

ItemPlan ItemPlan::pool(const QString& output, PoolWork work)
{
    ItemPlan plan;
    plan.kind = Kind::Pool;
    plan.output = output;
    plan.work = std::move(work);
    return plan;
}

ItemPlan ItemPlan::onInterface(std::function<void()> run)
{
    ItemPlan plan;
    plan.kind = Kind::Interface;
    plan.run = std::move(run);
    return plan;
}

ItemPlan ItemPlan::settled(const QString& failure, bool recorded)
{
    ItemPlan plan;
    plan.failure = failure;
    plan.recorded = recorded;
    return plan;
}

namespace {

// Finished outputs are made safe on the disk a group at a time (two flushes of the file
// system per group), on a thread of their own while the next group is collected. A group is
// committed once no other is being committed and it holds kMinGroupItems, or its first
// output waited kGroupWaitMs, or nothing else can join it now; so groups grow as large as
// the disk is slow. The run hands out items up to two full groups ahead.
constexpr int kMinGroupItems = 256;
constexpr int kGroupItems = 4096;
constexpr qint64 kGroupWaitMs = 1000;

// The library statements of the pool threads: clones of ghStmt that write their outputs as
// new files under the temporaries' names and leave the flush to DurableOutputs. Made once for a ghStmt and kept (statements live as long as the
// library). Empty when the library gives no clone: then one thread converts on ghStmt.
std::vector<int32_t> WorkerStatements(int threads)
{
    static int32_t owner = 0;
    static std::vector<int32_t> clones;
    if (owner != ghStmt) {
        owner = ghStmt;
        clones.clear();
    }
    try {
        while (static_cast<int>(clones.size()) < threads) {
            int32_t clone = 0;
            if (_TezCloneStmt(ghStmt, &clone) != 0 || _TezSetFileOutput(clone, TEZ_OUTPUT_NEW) != 0)
                break;
            clones.push_back(clone);
        }
    } catch (const RuntimeError&) {
        // An older library without the entries.
    }
    return std::vector<int32_t>(clones.begin(), clones.begin() + std::min<size_t>(clones.size(), threads));
}

// The name a path has once the folder holding it is resolved (and, for an existing file, the
// file it leads to), for comparing an input with the outputs being written.
QStringList PathKeys(const QString& path)
{
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.path()).canonicalFilePath();
    QStringList keys{(folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName()};
    const QString resolved = info.canonicalFilePath();
    if (!resolved.isEmpty())
        keys << resolved;
    return keys;
}

struct Job {
    int index = 0;
    PoolWork work;
    DurableOutputs::Entry entry;
    bool finished = false; // under the pool's lock
    QString failure;       // null when the work succeeded
    bool recorded = false;
    std::exception_ptr fatal;
};

// Items handed out and not yet finished, in order.
struct Pending {
    int index = 0;
    ItemPlan::Kind kind = ItemPlan::Kind::Settled;
    std::function<void()> run;
    ItemOutcome outcome;          // Settled
    std::shared_ptr<Job> job;     // Pool
    std::exception_ptr fatal;     // the plan failed: raised in the item's turn
    QStringList outputKeys;
};

class Pool {
public:
    explicit Pool(const std::vector<int32_t>& statements)
    {
        for (const int32_t statement : statements)
            m_threads.emplace_back([this, statement] { work(statement); });
    }
    ~Pool()
    {
        {
            const std::lock_guard hold(m_lock);
            m_stopping = true;
            m_queue.clear();
        }
        m_wake.notify_all();
        for (std::thread& thread : m_threads)
            thread.join();
    }
    Pool(const Pool&) = delete;
    Pool& operator=(const Pool&) = delete;

    // Hands out jobs, several at once so that the threads are woken once for them.
    void submit(std::vector<std::shared_ptr<Job>>& jobs)
    {
        if (jobs.empty())
            return;
        {
            const std::lock_guard hold(m_lock);
            for (std::shared_ptr<Job>& job : jobs)
                m_queue.push_back(std::move(job));
        }
        jobs.clear();
        m_wake.notify_all();
    }
    int threads() const { return static_cast<int>(m_threads.size()); }

    bool finished(const Job& job)
    {
        const std::lock_guard hold(m_lock);
        return job.finished;
    }

    // Waits until ready() (asked under the pool's lock) holds, a job finishes or wake() is
    // called, or ms have passed; the interface thread turns its event loop meanwhile.
    template <typename Ready>
    void waitFor(Ready&& ready, qint64 ms)
    {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app || QThread::currentThread() != app->thread()) {
            std::unique_lock hold(m_lock);
            m_done.wait_for(hold, std::chrono::milliseconds(ms), ready);
            return;
        }
        QEventLoop loop;
        {
            const std::lock_guard hold(m_lock);
            if (ready())
                return;
            m_waiter = &loop;
        }
        QTimer::singleShot(std::chrono::milliseconds(ms), &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeSocketNotifiers);
        const std::lock_guard hold(m_lock);
        m_waiter = nullptr;
    }

    // Ends a wait (from any thread).
    void wake()
    {
        const std::lock_guard hold(m_lock);
        m_done.notify_all();
        if (m_waiter)
            QMetaObject::invokeMethod(m_waiter, &QEventLoop::quit, Qt::QueuedConnection);
    }

private:
    void work(int32_t statement)
    {
        for (;;) {
            std::shared_ptr<Job> job;
            {
                std::unique_lock hold(m_lock);
                m_wake.wait(hold, [&] { return m_stopping || !m_queue.empty(); });
                if (m_queue.empty())
                    return;
                job = std::move(m_queue.front());
                m_queue.pop_front();
            }
            QString failure;
            bool recorded = false;
            std::exception_ptr fatal;
            int mode = -1;
            try {
                DurableOutputs::nameTemporary(job->entry);
                mode = job->work(statement, QFile::decodeName(job->entry.temporary));
            } catch (const RecordedRowFailure& e) {
                failure = e.description().isNull() ? QStringLiteral("") : e.description();
                recorded = true;
            } catch (const RuntimeError& e) {
                failure = e.description().isNull() ? QStringLiteral("") : e.description();
            } catch (...) {
                fatal = std::current_exception();
                failure = QStringLiteral("");
            }
            const std::lock_guard hold(m_lock);
            job->entry.newMode = mode;
            job->failure = failure;
            job->recorded = recorded;
            job->fatal = fatal;
            job->finished = true;
            m_done.notify_all();
            if (m_waiter)
                QMetaObject::invokeMethod(m_waiter, &QEventLoop::quit, Qt::QueuedConnection);
        }
    }

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::deque<std::shared_ptr<Job>> m_queue;
    bool m_stopping = false;
    QEventLoop* m_waiter = nullptr;
    std::vector<std::thread> m_threads;
};

// One group of outputs made safe on the disk on a thread of its own; wake is called when it
// is done.
class Commit {
public:
    Commit(DurableOutputs& outputs, std::vector<DurableOutputs::Entry*> entries, std::function<void()> wake)
        : m_entries(std::move(entries))
    {
        m_thread = std::thread([this, &outputs, wake = std::move(wake)] {
            try {
                outputs.commit(m_entries);
            } catch (...) {
                m_failure = std::current_exception();
            }
            m_done.store(true, std::memory_order_release);
            wake();
        });
    }
    ~Commit()
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    Commit(const Commit&) = delete;
    Commit& operator=(const Commit&) = delete;

    bool done() const { return m_done.load(std::memory_order_acquire); }
    // Waits for its end and raises what the commit raised.
    void finish()
    {
        m_thread.join();
        if (m_failure)
            std::rethrow_exception(m_failure);
    }

private:
    std::vector<DurableOutputs::Entry*> m_entries;
    std::atomic<bool> m_done{false};
    std::exception_ptr m_failure;
    std::thread m_thread;
};

class Run {
public:
    explicit Run(const InOrderItems& items) : m_items(items)
    {
        const int threads = std::max(1, QThread::idealThreadCount());
        std::vector<int32_t> statements = WorkerStatements(threads);
        if (statements.empty())
            statements.push_back(ghStmt);
        // Room for a second group: the threads go on with it while the first is committed.
        m_window = 2 * kGroupItems + 4 * static_cast<int>(statements.size());
        m_pool = std::make_unique<Pool>(statements);
    }
    ~Run()
    {
        // Ends the commit and stops the threads first: then no temporary is written or
        // renamed any more.
        m_commit.reset();
        m_pool.reset();
        for (const Pending& pending : m_pending)
            if (pending.job)
                DurableOutputs::discard(pending.job->entry);
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    void go()
    {
        while (m_finished < m_items.count) {
            planAhead();
            if (m_commit && m_commit->done()) {
                finishCommitted();
                continue;
            }
            const int first = m_committing + m_collected; // the first item not collected
            if (first == static_cast<int>(m_pending.size())) {
                // Everything handed out waits for the disk (the next item waits for them).
                if (m_commit)
                    waitForCommit();
                else
                    startCommit();
                continue;
            }
            Pending& next = m_pending[first];
            if (next.fatal || next.kind == ItemPlan::Kind::Interface) {
                if (m_commit) {
                    waitForCommit();
                    continue;
                }
                if (m_collected > 0) {
                    startCommit();
                    continue;
                }
                if (next.fatal)
                    std::rethrow_exception(next.fatal);
                runOnInterface(next);
                continue;
            }
            if (next.kind == ItemPlan::Kind::Settled || m_pool->finished(*next.job)) {
                collect();
                if (groupDue())
                    startCommit();
                continue;
            }
            if (groupDue()) {
                startCommit();
                continue;
            }
            const qint64 wait = !m_commit && m_collected > 0 ? std::max<qint64>(1, kGroupWaitMs - m_groupAge.elapsed()) : 250;
            const Job& job = *next.job;
            m_pool->waitFor([&] { return job.finished || (m_commit && m_commit->done()); }, wait);
        }
    }

private:
    void collect()
    {
        if (m_collected == 0)
            m_groupAge.start();
        ++m_collected;
    }

    // Hands out items while the window has room, up to an item that must run on the
    // interface thread or that reads an output not yet finished.
    void planAhead()
    {
        std::vector<std::shared_ptr<Job>> jobs;
        planInto(jobs);
        m_pool->submit(jobs);
    }
    void planInto(std::vector<std::shared_ptr<Job>>& jobs)
    {
        while (m_planned < m_items.count && static_cast<int>(m_pending.size()) < m_window) {
            if (static_cast<int>(jobs.size()) >= m_pool->threads())
                m_pool->submit(jobs);
            if (!m_pending.empty() && (m_pending.back().kind == ItemPlan::Kind::Interface || m_pending.back().fatal))
                return;
            const int index = m_planned;
            if (!m_outputKeys.isEmpty() && m_items.inputOf) {
                for (const QString& key : PathKeys(m_items.inputOf(index)))
                    if (m_outputKeys.contains(key))
                        return;
            }
            Pending pending;
            pending.index = index;
            try {
                ItemPlan plan = m_items.plan(index);
                pending.kind = plan.kind;
                if (plan.kind == ItemPlan::Kind::Settled) {
                    pending.outcome = {plan.failure, plan.recorded};
                } else if (plan.kind == ItemPlan::Kind::Interface) {
                    pending.run = std::move(plan.run);
                } else {
                    auto job = std::make_shared<Job>();
                    job->index = index;
                    job->work = std::move(plan.work);
                    try {
                        job->entry = m_outputs.reserveUnnamed(QFile::encodeName(plan.output));
                        pending.job = job;
                        if (m_items.inputOf)
                            pending.outputKeys = PathKeys(plan.output);
                        for (const QString& key : pending.outputKeys)
                            m_outputKeys.insert(key);
                        jobs.push_back(job);
                    } catch (const RuntimeError& e) {
                        pending.kind = ItemPlan::Kind::Settled;
                        pending.outcome = {e.description().isNull() ? QStringLiteral("") : e.description(), false};
                    }
                }
            } catch (...) {
                pending.fatal = std::current_exception();
            }
            m_pending.push_back(std::move(pending));
            ++m_planned;
        }
    }

    void runOnInterface(Pending& next)
    {
        ItemOutcome outcome;
        try {
            next.run();
        } catch (const RecordedRowFailure& e) {
            outcome = {e.description().isNull() ? QStringLiteral("") : e.description(), true};
        } catch (const RuntimeError& e) {
            outcome = {e.description().isNull() ? QStringLiteral("") : e.description(), false};
        }
        const int index = next.index;
        m_pending.pop_front();
        ++m_finished;
        m_items.finish(index, outcome);
    }

    // Whether the collected items are to be committed now, though more could join them.
    bool groupDue() const
    {
        return !m_commit && m_collected > 0 && (m_collected >= kMinGroupItems || m_groupAge.elapsed() >= kGroupWaitMs);
    }

    // Starts making the collected outputs safe on the disk; they are finished once that is
    // done (finishCommitted). Only one group is committed at a time.
    void startCommit()
    {
        planAhead();
        std::vector<DurableOutputs::Entry*> entries;
        for (int n = 0; n < m_collected; ++n) {
            Pending& pending = m_pending[n];
            if (!pending.job)
                continue;
            if (pending.job->failure.isNull())
                entries.push_back(&pending.job->entry);
            else
                DurableOutputs::discard(pending.job->entry);
        }
        m_committing = m_collected;
        m_collected = 0;
        m_commit = std::make_unique<Commit>(m_outputs, std::move(entries), [this] { m_pool->wake(); });
    }

    void waitForCommit()
    {
        m_pool->waitFor([&] { return m_commit->done(); }, 250);
    }

    // Finishes the committed items in order.
    void finishCommitted()
    {
        const std::unique_ptr<Commit> commit = std::move(m_commit);
        commit->finish();
        while (m_committing > 0) {
            Pending pending = std::move(m_pending.front());
            m_pending.pop_front();
            --m_committing;
            for (const QString& key : pending.outputKeys)
                m_outputKeys.remove(key);
            ItemOutcome outcome = pending.outcome;
            if (pending.job) {
                if (pending.job->fatal) {
                    // The items after it stay unfinished; their outputs are removed.
                    m_committing = 0;
                    std::rethrow_exception(pending.job->fatal);
                }
                pending.job->entry.temporary.clear();
                outcome = {pending.job->failure.isNull() ? pending.job->entry.failure : pending.job->failure,
                           pending.job->recorded};
            }
            ++m_finished;
            m_items.finish(pending.index, outcome);
        }
        // Keys of outputs still pending stay (several items may write one output).
        for (const Pending& pending : m_pending)
            for (const QString& key : pending.outputKeys)
                m_outputKeys.insert(key);
    }

    const InOrderItems& m_items;
    DurableOutputs m_outputs;
    std::unique_ptr<Pool> m_pool;
    std::unique_ptr<Commit> m_commit;
    std::deque<Pending> m_pending;
    QSet<QString> m_outputKeys;
    QElapsedTimer m_groupAge;
    int m_window = kGroupItems;
    int m_planned = 0;
    int m_committing = 0; // the first m_committing pending items are being committed
    int m_collected = 0;  // the m_collected pending items after them wait for the disk
    int m_finished = 0;
};

} // namespace

void RunInOrder(const InOrderItems& items)
{
    if (items.count <= 0)
        return;
    Run run(items);
    run.go();
}
