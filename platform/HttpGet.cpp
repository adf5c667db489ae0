#include "platform/HttpGet.h"

#include "platform/FileBytes.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace {

// The system's proxy settings for these downloads only: the game's own connection keeps the proxy
// the player set for it.
class SystemProxies : public QNetworkProxyFactory {
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery &query) override
    {
        return systemProxyForQuery(query);
    }
};

} // namespace

struct HttpGet::Impl {
    HttpGet *owner;
    QNetworkAccessManager manager;
    QNetworkReply *reply = nullptr;
    // Only our own connections to the reply: its inner ones must stay, for they carry an abort to
    // the connection itself.
    std::vector<QMetaObject::Connection> wires;
    QFile file;
    std::string path;
    QTimer deadline;
    int64_t written = 0;
    bool connected = false;
    int timeoutMs = kTransferTimeoutMs;
    int64_t maxBytes = 0;

    explicit Impl(HttpGet *o) : owner(o)
    {
        manager.setProxyFactory(new SystemProxies);
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, [this] {
            End(Result::Failed, "not done within " + std::to_string(deadline.interval() / 1000) + " s");
        });
    }

    // The one way a download ends: nothing of the reply is heard again, the connection is closed,
    // and the file stays only when whole.
    void End(Result result, const std::string &why)
    {
        for (const QMetaObject::Connection &wire : wires)
            QObject::disconnect(wire);
        wires.clear();
        deadline.stop();
        if (reply->isRunning())
            reply->abort();
        reply->deleteLater();
        reply = nullptr;
        file.close();
        if (result != Result::Ok)
            std::remove(path.c_str());
        if (owner->onFinished)
            owner->onFinished(result, why);
    }

    std::string TooLarge() const { return "the body is larger than " + std::to_string(maxBytes) + " bytes"; }

    // What has arrived goes to the file; false when the download ended here.
    bool Drain()
    {
        const QByteArray piece = reply->readAll();
        if (maxBytes > 0 && written + piece.size() > maxBytes) {
            End(Result::Failed, TooLarge());
            return false;
        }
        if (file.write(piece) != piece.size()) {
            End(Result::Failed, "cannot write " + path + ": " + file.errorString().toStdString());
            return false;
        }
        written += piece.size();
        return true;
    }

    void Headers()
    {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (maxBytes > 0 && length.isValid() && length.toLongLong() > maxBytes) {
            End(Result::Failed, TooLarge());
            return;
        }
        if (connected)
            return;
        connected = true;
        if (owner->onConnect)
            owner->onConnect();
    }

    void Finished()
    {
        if (!Drain())
            return;
        if (reply->error() != QNetworkReply::NoError) {
            End(Result::Failed, reply->errorString().toStdString());
            return;
        }
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status < 200 || status > 299) {
            End(Result::Failed, "HTTP status " + std::to_string(status));
            return;
        }
        if (!file.flush()) {
            End(Result::Failed, "cannot write " + path + ": " + file.errorString().toStdString());
            return;
        }
        End(Result::Ok, {});
    }
};

HttpGet::HttpGet() : d(std::make_unique<Impl>(this)) {}

HttpGet::~HttpGet()
{
    if (d->reply) {
        onFinished = nullptr;
        d->End(Result::Aborted, {});
    }
}

void HttpGet::SetTransferTimeout(int ms)
{
    d->timeoutMs = ms;
}

void HttpGet::SetDeadline(int ms)
{
    d->deadline.setInterval(ms);
}

void HttpGet::SetMaxBytes(int64_t bytes)
{
    d->maxBytes = bytes;
}

bool HttpGet::Busy() const
{
    return d->reply != nullptr;
}

bool HttpGet::Start(const std::string &url, const std::string &path, std::string *why)
{
    if (d->reply) {
        if (why)
            *why = "a download is running";
        return false;
    }
    const int fd = FileBytes::CreateAfresh(path);
    if (fd < 0) {
        if (why)
            *why = "cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    if (!d->file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        close(fd);
        std::remove(path.c_str());
        if (why)
            *why = "cannot write " + path;
        return false;
    }
    d->path = path;
    d->written = 0;
    d->connected = false;

    QNetworkRequest request(QUrl(QString::fromStdString(url)));
    request.setTransferTimeout(d->timeoutMs);
    QNetworkReply *reply = d->manager.get(request);
    // The connection is read no faster than the body is written: a server sending faster than the
    // disk takes it fills no memory.
    reply->setReadBufferSize(kReadBuffer);
    d->reply = reply;
    d->wires = {
        QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [this] { d->Headers(); }),
        QObject::connect(reply, &QNetworkReply::readyRead, reply, [this] { d->Drain(); }),
        QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                         [this](qint64 received, qint64 total) {
                             if (onProgress)
                                 onProgress(received, total > 0 ? total : -1);
                         }),
        QObject::connect(reply, &QNetworkReply::finished, reply, [this] { d->Finished(); }),
    };
    if (d->deadline.interval() > 0)
        d->deadline.start();
    return true;
}

void HttpGet::Abort()
{
    if (d->reply)
        d->End(Result::Aborted, {});
}

HttpGet::Result HttpGet::Fetch(const std::string &url, const std::string &path, const std::function<bool()> &stop,
                               std::string *why)
{
    bool done = false;
    Result result = Result::Failed;
    QEventLoop loop;
    auto saved = std::move(onFinished);
    onFinished = [&](Result r, const std::string &w) {
        done = true;
        result = r;
        if (why)
            *why = w;
        loop.quit();
    };
    if (Start(url, path, why)) {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (stop && stop())
                Abort();
        });
        poll.start(10);
        if (!done)
            loop.exec();
    }
    onFinished = std::move(saved);
    return result;
}
