#include "window/print/OffThread.h"

#include <QEventLoop>
#include <QMetaObject>

#include <atomic>
#include <exception>
#include <thread>

namespace zentavo {

void RunOffThread(const std::function<void()>& work, StopFlag& stop)
{
    QEventLoop loop;
    std::exception_ptr failure;
    std::atomic<bool> done{false};
    std::thread helper([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        done.store(true);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // Returns early, or at once, when the application is quitting.
    loop.exec();
    if (!done.load())
        stop.Request();
    helper.join();
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace zentavo
