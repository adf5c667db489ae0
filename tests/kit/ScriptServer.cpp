#include "tests/kit/ScriptServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <chrono>
#include <memory>
#include <set>

struct ScriptServer::Session {
    ScriptServer *owner;
    int number;
    SessionScript script;
    QTcpSocket *socket;
    size_t step = 0;
    QByteArray inbox;
    std::set<int> ignored;
    bool waiting = false;     // a timed step runs
    bool clientClosed = false;
    bool over = false;
    std::unique_ptr<QTimer> deadline;

    void Advance();
    void Next();
    bool TakeRecord(const ScriptStep &st);
    bool TakeRaw(const ScriptStep &st);
    void WriteChunk(const ScriptStep &st, size_t from, size_t part);
    void Fail(int line, const std::string &why)
    {
        over = true;
        owner->End(*this, "line " + std::to_string(line) + ": " + why);
    }
};

ScriptServer::ScriptServer() : server_(std::make_unique<QTcpServer>())
{
    QObject::connect(server_.get(), &QTcpServer::newConnection, server_.get(), [this] { Accept(); });
}

ScriptServer::~ScriptServer()
{
    // The sessions go first: nothing the sockets say as they are torn down may reach them.
    for (auto &s : sessions_) {
        s->deadline.reset();
        s->socket->disconnect();
        s->socket->abort();
    }
    server_->close();
}

bool ScriptServer::Listen(uint16_t port)
{
    return server_->listen(QHostAddress::LocalHost, port);
}

uint16_t ScriptServer::Port() const
{
    return server_->serverPort();
}

bool ScriptServer::Load(std::string_view text, std::string *error)
{
    SessionScript script;
    std::string why;
    if (!ParseScript(text, &script, &why)) {
        if (error)
            *error = why;
        return false;
    }
    last_ = script;
    scripts_.push_back(std::move(script));
    return true;
}

bool ScriptServer::Done() const
{
    return !Failed() && scripts_.empty() && !sessions_.empty() && finished_ == Connections();
}

void ScriptServer::End(const Session &s, const std::string &failure)
{
    finished_++;
    if (failure_.empty() && !failure.empty())
        failure_ = "connection " + std::to_string(s.number) + ", " + failure;
    if (report_)
        report_(s.number, failure);
}

void ScriptServer::Took(const uint8_t *record)
{
    received_.emplace_back(record, record + kRecordSize);
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    receivedAt_.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void ScriptServer::Accept()
{
    while (QTcpSocket *socket = server_->nextPendingConnection()) {
        auto s = std::make_unique<Session>();
        s->owner = this;
        s->number = Connections() + 1;
        s->socket = socket;
        Session *session = s.get();
        sessions_.push_back(std::move(s));
        if (!scripts_.empty()) {
            session->script = std::move(scripts_.front());
            scripts_.pop_front();
        } else if (loop_ && !last_.steps.empty()) {
            session->script = last_;
        } else {
            session->over = true;
            End(*session, "no script was loaded for it");
            continue;
        }
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [session] {
            session->inbox += session->socket->readAll();
            session->Advance();
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, [session] {
            session->clientClosed = true;
            session->Advance();
        });
        session->Advance();
    }
}

void ScriptServer::Session::Next()
{
    step++;
    waiting = false;
    Advance();
}

void ScriptServer::Session::Advance()
{
    while (!over && !waiting) {
        if (step >= script.steps.size()) {
            over = true;
            owner->End(*this, {});
            return;
        }
        const ScriptStep &st = script.steps[step];
        switch (st.kind) {
        case ScriptStep::IGNORE:
            ignored.insert(st.number);
            break;
        case ScriptStep::EXPECT:
            if (!TakeRecord(st))
                return;
            break;
        case ScriptStep::EXPECT_RAW:
            if (!TakeRaw(st))
                return;
            break;
        case ScriptStep::WRITE:
            waiting = true;
            WriteChunk(st, 0, 0);
            return;
        case ScriptStep::PAUSE:
            waiting = true;
            QTimer::singleShot(st.number, socket, [this] { Next(); });
            return;
        case ScriptStep::CLOSE:
            socket->disconnectFromHost();
            break;
        case ScriptStep::EXPECT_CLOSE:
            // Records that may come at any point are still allowed before the end.
            while (inbox.size() >= kRecordSize && ignored.count(static_cast<uint8_t>(inbox[0]))) {
                owner->Took(reinterpret_cast<const uint8_t *>(inbox.constData()));
                inbox.remove(0, kRecordSize);
            }
            if (!inbox.isEmpty()) {
                Fail(st.line, "the client sent " + std::to_string(inbox.size()) + " more bytes instead of closing");
                return;
            }
            if (!clientClosed) {
                if (!deadline) {
                    deadline = std::make_unique<QTimer>();
                    deadline->setSingleShot(true);
                    QObject::connect(deadline.get(), &QTimer::timeout, socket, [this, &st] {
                        if (!clientClosed)
                            Fail(st.line, "the client did not close within " + std::to_string(st.number) + " ms");
                    });
                    deadline->start(st.number);
                }
                return;
            }
            deadline.reset();
            break;
        }
        step++;
    }
}

bool ScriptServer::Session::TakeRecord(const ScriptStep &st)
{
    for (;;) {
        if (inbox.size() < kRecordSize) {
            if (clientClosed)
                Fail(st.line, "the client closed the connection before the record");
            return false;
        }
        const auto *record = reinterpret_cast<const uint8_t *>(inbox.constData());
        owner->Took(record);
        uint8_t type = record[0];
        bool skip = type != st.pattern.bytes[0] && ignored.count(type);
        std::string why = skip ? std::string() : st.pattern.Mismatch(record);
        inbox.remove(0, kRecordSize);
        if (!why.empty()) {
            Fail(st.line, "record type " + std::to_string(type) + ", " + why);
            return false;
        }
        if (!skip)
            return true;
    }
}

bool ScriptServer::Session::TakeRaw(const ScriptStep &st)
{
    size_t n = st.bytes.size();
    if (static_cast<size_t>(inbox.size()) < n) {
        if (clientClosed)
            Fail(st.line, "the client closed the connection after " + std::to_string(inbox.size()) + " of " +
                              std::to_string(n) + " bytes");
        return false;
    }
    for (size_t i = 0; i < n; i++) {
        auto got = static_cast<uint8_t>(inbox[static_cast<qsizetype>(i)]);
        if (!st.anyByte[i] && got != st.bytes[i]) {
            Fail(st.line, "byte " + std::to_string(i) + ": expected " + std::to_string(st.bytes[i]) + ", received " +
                              std::to_string(got));
            return false;
        }
    }
    inbox.remove(0, static_cast<qsizetype>(n));
    return true;
}

void ScriptServer::Session::WriteChunk(const ScriptStep &st, size_t from, size_t part)
{
    if (clientClosed) {
        Fail(st.line, "the client closed the connection before the write");
        return;
    }
    // The chunk sizes in turn; the last one repeats.
    size_t n = st.bytes.size() - from;
    if (!st.split.empty())
        n = std::min(n, static_cast<size_t>(st.split[std::min(part, st.split.size() - 1)]));
    socket->write(reinterpret_cast<const char *>(st.bytes.data() + from), static_cast<qint64>(n));
    socket->flush();
    from += n;
    if (from >= st.bytes.size())
        Next();
    else
        QTimer::singleShot(st.gap, socket, [this, &st, from, part] { WriteChunk(st, from, part + 1); });
}

bool RunPosted(int ms)
{
    auto reached = std::make_shared<bool>(false);
    QMetaObject::invokeMethod(QCoreApplication::instance(), [reached] { *reached = true; }, Qt::QueuedConnection);
    return RunUntil([reached] { return *reached; }, ms);
}

bool RunUntil(const std::function<bool()> &pred, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!pred()) {
        if (clock.elapsed() >= ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}
