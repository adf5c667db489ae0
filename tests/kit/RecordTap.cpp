#include "tests/kit/RecordTap.h"

#include "tests/kit/SessionScript.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <cstdio>
#include <cstring>

namespace {

constexpr uint8_t kLogin = 100, kKeepalive = 104;

// Names for the dump, each direction numbering its own types.
const char *TypeName(bool fromServer, uint8_t type)
{
    static const char *const server[] = {
        "?", "DEAL_CARDS", "DRAW_CARD", "GIVE_CARD", "ACTION_PROMPT", "DICE", "YOUR_TURN", "OTHER_DRAW",
        "SEND_ACTION", "ENTER_TABLE", "HAND_RESULT", "TABLE_CHAT", "GAME_RESTORE", "TABLE_USERINFO",
        "USER_START", "FLOWER_CARD"};
    static const char *const serverHigh[] = {
        "MESSAGEBOX", "TABLE_INFO", "LOGIN_SUCCESS", "SITDOWN_FAIL", "USER_INFO", "INVITE", "?", "?",
        "ROOM_ITEM", "SERVER_ITEM", "SERVER_USERS", "ROOM_USERS", "ENTER_ROOM", "ROOMLIST_END",
        "PRIVATE_CHAT", "BUY_RESULT", "?", "?", "?", "LOGIN_FAIL", "?", "?", "ROOM_CHAT", "LINK_MESSAGE",
        "AVATAR_INFO", "NOTICE"};
    static const char *const client[] = {"?", "ACTION", "GIVE_CARD", "TABLE_CHAT", "USER_SET", "BUY", "FLOWER_COUNT"};
    static const char *const clientHigh[] = {"LOGIN", "SITDOWN", "LEAVE_TABLE", "READY", "KEEPALIVE", "EXIT",
                                             "INVITE", "ENTER_ROOM", "?", "PRIVATE_CHAT", "ROOM_CHAT",
                                             "ADMIN", "SET_AVATAR"};
    if (fromServer)
        return type <= 15 ? server[type] : type >= 100 && type <= 125 ? serverHigh[type - 100] : "?";
    return type <= 6 ? client[type] : type >= 100 && type <= 112 ? clientHigh[type - 100] : "?";
}

std::string Hex(const std::vector<uint8_t> &bytes)
{
    std::string text;
    for (uint8_t b : bytes) {
        char h[4];
        std::snprintf(h, sizeof h, " %02x", b);
        text += h;
    }
    return text;
}

} // namespace

RecordTap::RecordTap() : listener_(std::make_unique<QTcpServer>())
{
    QObject::connect(listener_.get(), &QTcpServer::newConnection, listener_.get(), [this] { Accept(); });
}

RecordTap::~RecordTap()
{
    for (QTcpSocket *s : {client_, server_}) {
        if (s) {
            s->disconnect();
            s->abort();
            delete s;
        }
    }
}

bool RecordTap::Listen(uint16_t port)
{
    return listener_->listen(QHostAddress::LocalHost, port);
}

uint16_t RecordTap::Port() const
{
    return listener_->serverPort();
}

void RecordTap::SetServer(const std::string &host, uint16_t port)
{
    host_ = host;
    port_ = port;
}

void RecordTap::Accept()
{
    while (QTcpSocket *incoming = listener_->nextPendingConnection()) {
        if (client_) { // one session at a time
            incoming->abort();
            incoming->deleteLater();
            continue;
        }
        incoming->setParent(nullptr);
        client_ = incoming;
        server_ = new QTcpSocket;
        // The client's bytes wait in its socket until the server's side stands.
        QObject::connect(server_, &QTcpSocket::connected, server_, [this] { Relay(client_, server_, up_); });
        QObject::connect(client_, &QTcpSocket::readyRead, client_, [this] {
            if (server_->state() == QAbstractSocket::ConnectedState)
                Relay(client_, server_, up_);
        });
        QObject::connect(server_, &QTcpSocket::readyRead, server_, [this] { Relay(server_, client_, down_); });
        QObject::connect(client_, &QTcpSocket::disconnected, client_, [this] { End("expect-close 2000"); });
        QObject::connect(server_, &QTcpSocket::disconnected, server_, [this] { End("close"); });
        QObject::connect(server_, &QTcpSocket::errorOccurred, server_, [this](QAbstractSocket::SocketError e) {
            if (e != QAbstractSocket::RemoteHostClosedError)
                End("# the server could not be reached");
        });
        server_->connectToHost(QString::fromStdString(host_), port_);
    }
}

void RecordTap::Relay(QTcpSocket *from, QTcpSocket *to, Direction &d)
{
    QByteArray bytes = from->readAll();
    to->write(bytes);
    d.pending.insert(d.pending.end(), bytes.begin(), bytes.end());
    Cut(d);
}

void RecordTap::Cut(Direction &d)
{
    size_t used = 0;
    for (; used + kRecordSize <= d.pending.size(); used += kRecordSize) {
        uint8_t record[kRecordSize];
        std::memcpy(record, d.pending.data() + used, kRecordSize);
        if (dump_)
            dump_(std::string(d.fromServer ? "S>C " : "C>S ") + TypeName(d.fromServer, record[0]) +
                  RecordLine("", record));
        if (d.fromServer) {
            lines_.push_back(RecordLine("send", record));
        } else if (record[0] == kKeepalive) {
            keepalives_ = true;
        } else if (record[0] == kLogin) {
            std::memset(record + 51, 0, 13); // the adapter address differs from machine to machine
            lines_.push_back(RecordLine("expect", record) + " 51..63:*");
        } else {
            lines_.push_back(RecordLine("expect", record));
        }
    }
    d.pending.erase(d.pending.begin(), d.pending.begin() + static_cast<long>(used));
}

void RecordTap::End(const char *how)
{
    if (ended_)
        return;
    ended_ = true;
    // Bytes of an unfinished record stay in the script as they came.
    if (!down_.pending.empty())
        lines_.push_back("raw" + Hex(down_.pending));
    if (!up_.pending.empty())
        lines_.push_back("expect-raw" + Hex(up_.pending));
    lines_.push_back(how);
    for (QTcpSocket *s : {client_, server_})
        if (s->state() == QAbstractSocket::ConnectedState)
            s->disconnectFromHost();
}

std::string RecordTap::Script() const
{
    std::string text = "# recorded by recordtap\n";
    if (keepalives_)
        text += "ignore 104\n";
    for (const std::string &line : lines_)
        text += line + "\n";
    return text;
}
