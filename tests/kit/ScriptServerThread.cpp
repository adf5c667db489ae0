#include "tests/kit/ScriptServerThread.h"

#include "tests/kit/ScriptServer.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

ScriptServerThread::ScriptServerThread(const std::string &script)
{
    std::promise<uint16_t> listening;
    std::future<uint16_t> port = listening.get_future();
    // A thread of the toolkit's own: its sockets need the event loop that such a thread runs.
    thread_.reset(QThread::create([this, script, promise = std::move(listening)]() mutable { Run(script, std::move(promise)); }));
    thread_->start();
    port_ = port.get();
}

ScriptServerThread::~ScriptServerThread()
{
    Stop();
}

const ScriptServerThread::Outcome &ScriptServerThread::Stop()
{
    stop_ = true;
    thread_->wait();
    return outcome_;
}

void ScriptServerThread::Run(const std::string &script, std::promise<uint16_t> listening)
{
    ScriptServer server;
    std::string error;
    if (!server.Load(script, &error) || !server.Listen()) {
        outcome_.failure = error.empty() ? "cannot listen" : error;
        listening.set_value(0);
        return;
    }
    listening.set_value(server.Port());
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (stop_)
            loop.quit();
    });
    poll.start(20);
    loop.exec();
    outcome_.done = server.Done();
    outcome_.failure = server.Failure();
    outcome_.received = server.Received();
    outcome_.receivedAt = server.ReceivedAt();
}
