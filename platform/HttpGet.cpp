#include "platform/HttpGet.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

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
    QNetworkReply *ended = nullptr; // deleted once its own signals are over
    QFile file;
    int64_t written = 0;
    bool connected = false;
    bool aborted = false;
    std::string writeError;
    int timeoutMs = kTransferTimeoutMs;
    int64_t maxBytes = 0;

    explicit Impl(HttpGet *o) : owner(o) { manager.setProxyFactory(new SystemProxies); }

    void Drain()
    {
        if (!reply->isReadable()) // aborted
            return;
        const QByteArray piece = reply->readAll();
        if (piece.isEmpty() || !writeError.empty())
            return;
        if (maxBytes > 0 && written + piece.size() > maxBytes) {
            TooLarge();
            return;
        }
        if (file.write(piece) != piece.size()) {
            writeError = "cannot write " + file.fileName().toStdString() + ": " + file.errorString().toStdString();
            reply->abort();
            return;
        }
        written += piece.size();
    }

    void TooLarge()
    {
        writeError = "the body is larger than " + std::to_string(maxBytes) + " bytes";
        reply->abort();
    }

    // Whether the body arrived whole and is on the disk; why names the first thing that went wrong.
    Result Judge(std::string &why)
    {
        if (aborted)
            return Result::Aborted;
        if (!writeError.empty()) {
            why = writeError;
            return Result::Failed;
        }
        if (reply->error() != QNetworkReply::NoError) {
            why = reply->errorString().toStdString();
            return Result::Failed;
        }
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status < 200 || status > 299) {
            why = "HTTP status " + std::to_string(status);
            return Result::Failed;
        }
        if (!file.flush()) {
            why = "cannot write " + file.fileName().toStdString() + ": " + file.errorString().toStdString();
            return Result::Failed;
        }
        return Result::Ok;
    }

    void Finished()
    {
        Drain();
        std::string why;
        const Result result = Judge(why);
        file.close();
        if (result != Result::Ok)
            file.remove();
        reply->disconnect();
        ended = reply;
        reply = nullptr;
        if (owner->onFinished)
            owner->onFinished(result, why);
    }

    void Forget()
    {
        delete ended;
        ended = nullptr;
    }
};

HttpGet::HttpGet() : d(std::make_unique<Impl>(this)) {}

HttpGet::~HttpGet()
{
    if (d->reply) {
        d->reply->disconnect();
        d->reply->abort();
        d->file.close();
        d->file.remove();
    }
}

void HttpGet::SetTransferTimeout(int ms)
{
    d->timeoutMs = ms;
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
    d->Forget();
    d->file.setFileName(QString::fromStdString(path));
    if (!d->file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (why)
            *why = "cannot create " + path + ": " + d->file.errorString().toStdString();
        return false;
    }
    d->written = 0;
    d->connected = false;
    d->aborted = false;
    d->writeError.clear();

    QNetworkRequest request(QUrl(QString::fromStdString(url)));
    request.setTransferTimeout(d->timeoutMs);
    QNetworkReply *reply = d->manager.get(request);
    d->reply = reply;
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [this] {
        if (d->connected)
            return;
        const QVariant length = d->reply->header(QNetworkRequest::ContentLengthHeader);
        if (d->maxBytes > 0 && length.isValid() && length.toLongLong() > d->maxBytes) {
            d->TooLarge();
            return;
        }
        d->connected = true;
        if (onConnect)
            onConnect();
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [this] { d->Drain(); });
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [this](qint64 received, qint64 total) {
        if (onProgress)
            onProgress(received, total > 0 ? total : -1);
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, [this] { d->Finished(); });
    return true;
}

void HttpGet::Abort()
{
    if (!d->reply)
        return;
    d->aborted = true;
    d->reply->abort();
}

HttpGet::Result HttpGet::Fetch(const std::string &url, const std::string &path, const std::function<bool()> &stop,
                               std::string *why)
{
    bool done = false;
    Result result = Result::Failed;
    auto saved = std::move(onFinished);
    onFinished = [&](Result r, const std::string &w) {
        done = true;
        result = r;
        if (why)
            *why = w;
    };
    if (Start(url, path, why)) {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (stop && stop())
                Abort();
        });
        poll.start(10);
        QEventLoop loop;
        while (!done)
            loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    onFinished = std::move(saved);
    return result;
}
