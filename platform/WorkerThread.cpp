#include "platform/WorkerThread.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

struct WorkerThread::Impl {
    std::unique_ptr<QThread> thread;
};

WorkerThread::WorkerThread(std::function<void()> work) : d(std::make_unique<Impl>())
{
    // A thread the toolkit starts itself: only such threads may run timers.
    d->thread.reset(QThread::create(std::move(work)));
    d->thread->start();
}

WorkerThread::~WorkerThread()
{
    d->thread->wait();
}

void WorkerThread::RunEvents(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
