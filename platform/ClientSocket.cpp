#include "platform/ClientSocket.h"

#include "platform/TimerService.h"

#include <QNetworkProxy>
#include <QTcpSocket>

ClientSocket::ClientSocket(unsigned timeoutTimerId, unsigned timeoutMs)
    : socket_(std::make_unique<QTcpSocket>()), timers_(TimerService::Current()), timerId_(timeoutTimerId),
      timeoutMs_(timeoutMs)
{
    // Proxies are negotiated by the program itself on the open connection.
    socket_->setProxy(QNetworkProxy::NoProxy);
    socket_->setReadBufferSize(kReadBuffer);
    QTcpSocket *s = socket_.get();
    QObject::connect(s, &QTcpSocket::connected, s, [this] {
        timers_.Stop(timerId_);
        linked_ = true;
        RaiseConnect();
    });
    QObject::connect(s, &QTcpSocket::readyRead, s, [this] { RaiseRead(); });
    QObject::connect(s, &QTcpSocket::disconnected, s, [this] {
        linked_ = false;
        RaiseDisconnect();
    });
    QObject::connect(s, &QTcpSocket::errorOccurred, s,
                     [this](QAbstractSocket::SocketError error) { OnSocketError(error); });
    timers_.SetHandler(timerId_, [this] { OnTimeout(); });
}

ClientSocket::~ClientSocket()
{
    timers_.Stop(timerId_);
    timers_.SetHandler(timerId_, nullptr);
    Abort();
}

void ClientSocket::Open(const std::string &host, int port)
{
    Abort();
    if (NotAHost(host)) {
        badhost_ = true;
        QMetaObject::invokeMethod(socket_.get(), [this] {
            if (!badhost_)
                return; // the attempt was ended or replaced meanwhile
            badhost_ = false;
            RaiseError(ErrorLookup);
        }, Qt::QueuedConnection);
        return;
    }
    timers_.Start(timerId_, timeoutMs_);
    socket_->connectToHost(QString::fromStdString(host), static_cast<quint16>(port));
}

void ClientSocket::Close()
{
    timers_.Stop(timerId_);
    bool connected = IsConnected();
    Abort();
    // Reported from the event loop, so that nothing the caller is in the middle of runs against an
    // ended connection (a record handler that overflowed the queue, say).
    if (connected)
        QMetaObject::invokeMethod(socket_.get(), [this] { RaiseDisconnect(); }, Qt::QueuedConnection);
}

void ClientSocket::Abort()
{
    linked_ = false;
    badhost_ = false;
    if (socket_->state() == QAbstractSocket::UnconnectedState)
        return;
    bool blocked = socket_->blockSignals(true);
    socket_->abort();
    socket_->blockSignals(blocked);
}

void ClientSocket::OnSocketError(int error)
{
    // A server that closes the link is a plain end: the disconnected signal follows.
    if (error == QAbstractSocket::RemoteHostClosedError)
        return;
    timers_.Stop(timerId_);
    ErrorKind kind = ErrorOther;
    if (error == QAbstractSocket::HostNotFoundError)
        kind = ErrorLookup;
    else if (socket_->state() == QAbstractSocket::ClosingState)
        kind = ErrorDisconnect;
    else if (!linked_)
        kind = ErrorConnect;
    Abort();
    RaiseError(kind);
}

void ClientSocket::OnTimeout()
{
    timers_.Stop(timerId_);
    if (IsConnected() || !IsActive())
        return;
    Abort();
    RaiseError(ErrorConnect);
}

bool ClientSocket::IsActive() const
{
    return badhost_ || socket_->state() != QAbstractSocket::UnconnectedState;
}

bool ClientSocket::IsConnected() const
{
    return socket_->state() == QAbstractSocket::ConnectedState;
}

int64_t ClientSocket::BytesAvailable() const
{
    return socket_->bytesAvailable();
}

int64_t ClientSocket::Read(uint8_t *into, int64_t max)
{
    return socket_->read(reinterpret_cast<char *>(into), max);
}

int64_t ClientSocket::Write(const uint8_t *data, int64_t size)
{
    if (!IsConnected())
        return -1;
    return socket_->write(reinterpret_cast<const char *>(data), size);
}

int64_t ClientSocket::BytesToWrite() const
{
    return socket_->bytesToWrite();
}

void ClientSocket::Flush()
{
    socket_->flush();
}

void ClientSocket::ReadLater()
{
    QMetaObject::invokeMethod(
        socket_.get(),
        [this] {
            if (BytesAvailable() > 0)
                RaiseRead();
        },
        Qt::QueuedConnection);
}
