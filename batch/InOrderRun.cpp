#include "batch/InOrderRun.h"

#include "batch/DurableOutputs.h"
#include "batch/FileRowRun.h"
#include "batch/WorkerCall.h"
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

// A group of finished outputs is made safe on the disk when it holds this many, or when its
// first output waited this long: two flushes of the file system per group.
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

    void submit(std::shared_ptr<Job> job)
    {
        {
            const std::lock_guard hold(m_lock);
            m_queue.push_back(std::move(job));
        }
        m_wake.notify_one();
    }

    bool finished(const Job& job)
    {
        const std::lock_guard hold(m_lock);
        return job.finished;
    }

    // Waits until the job is finished or ms have passed; the interface thread turns its
    // event loop meanwhile.
    void waitFor(const Job& job, qint64 ms)
    {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app || QThread::currentThread() != app->thread()) {
            std::unique_lock hold(m_lock);
            m_done.wait_for(hold, std::chrono::milliseconds(ms), [&] { return job.finished; });
            return;
        }
        QEventLoop loop;
        {
            const std::lock_guard hold(m_lock);
            if (job.finished)
                return;
            m_waiter = &loop;
        }
        QTimer::singleShot(std::chrono::milliseconds(ms), &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeSocketNotifiers);
        const std::lock_guard hold(m_lock);
        m_waiter = nullptr;
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
        // Stops the threads first: then no temporary is written any more.
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
            if (m_collected == static_cast<int>(m_pending.size())) {
                // Everything handed out waits for the disk (the next item waits for them).
                commitGroup();
                continue;
            }
            Pending& next = m_pending[m_collected];
            if (next.fatal || next.kind == ItemPlan::Kind::Interface) {
                if (m_collected > 0) {
                    commitGroup();
                    continue;
                }
                if (next.fatal)
                    std::rethrow_exception(next.fatal);
                runOnInterface(next);
                continue;
            }
            if (next.kind == ItemPlan::Kind::Settled || m_pool->finished(*next.job)) {
                collect();
                if (m_collected >= kGroupItems)
                    commitGroup();
                continue;
            }
            if (m_collected > 0 && m_groupAge.elapsed() >= kGroupWaitMs) {
                commitGroup();
                continue;
            }
            m_pool->waitFor(*next.job, m_collected > 0 ? std::max<qint64>(1, kGroupWaitMs - m_groupAge.elapsed()) : 250);
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
        while (m_planned < m_items.count && static_cast<int>(m_pending.size()) < m_window) {
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
                        job->entry = m_outputs.reserve(QFile::encodeName(plan.output));
                        pending.job = job;
                        if (m_items.inputOf)
                            pending.outputKeys = PathKeys(plan.output);
                        for (const QString& key : pending.outputKeys)
                            m_outputKeys.insert(key);
                        m_pool->submit(job);
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

    // Makes the collected outputs safe on the disk, then finishes their items in order.
    void commitGroup()
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
        if (!entries.empty())
            RunOnWorker([&] { m_outputs.commit(entries); });
        while (m_collected > 0) {
            Pending pending = std::move(m_pending.front());
            m_pending.pop_front();
            --m_collected;
            for (const QString& key : pending.outputKeys)
                m_outputKeys.remove(key);
            ItemOutcome outcome = pending.outcome;
            if (pending.job) {
                if (pending.job->fatal) {
                    // The items after it stay unfinished; their outputs are removed.
                    m_collected = 0;
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
    std::deque<Pending> m_pending;
    QSet<QString> m_outputKeys;
    QElapsedTimer m_groupAge;
    int m_window = kGroupItems;
    int m_planned = 0;
    int m_collected = 0; // the first m_collected pending items wait for the disk
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
