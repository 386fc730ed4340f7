#include "batch/WorkerCall.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>

#include <exception>
#include <mutex>
#include <thread>

namespace {

std::mutex& LibraryCallMutex()
{
    static std::mutex m;
    return m;
}

}  // namespace

void RunOnWorker(const std::function<void()>& work)
{
    std::lock_guard<std::mutex> one(LibraryCallMutex());
    if (!QCoreApplication::instance()) {
        work();
        return;
    }
    QEventLoop loop;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeSocketNotifiers);
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}
