#include "batch/WorkerCall.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QThread>

#include <exception>
#include <thread>

void RunOnWorker(const std::function<void()>& work)
{
    // Off the interface thread (a worker already) the work runs where it is called.
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) {
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
