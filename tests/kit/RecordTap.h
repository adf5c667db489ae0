#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QTcpServer;
class QTcpSocket;

// A relay between one client and a game server that writes their session down as a script the
// scripted server replays: the server's records become send lines, the client's records expect
// lines (any adapter address in the login), keep-alives one ignore line, and the side that closes
// the end of the script.
class RecordTap {
public:
    RecordTap();
    ~RecordTap();
    RecordTap(const RecordTap &) = delete;
    RecordTap &operator=(const RecordTap &) = delete;

    bool Listen(uint16_t port = 0); // on 127.0.0.1
    uint16_t Port() const;
    void SetServer(const std::string &host, uint16_t port);
    // Each record as it passes: direction, type name and its non-zero bytes.
    void SetDump(std::function<void(const std::string &)> out) { dump_ = std::move(out); }

    // One session has been relayed to its end.
    bool Ended() const { return ended_; }
    std::string Script() const;

private:
    struct Direction {
        bool fromServer;
        std::vector<uint8_t> pending;
    };
    void Accept();
    void Relay(QTcpSocket *from, QTcpSocket *to, Direction &d);
    void Cut(Direction &d);
    void End(const char *how);

    std::unique_ptr<QTcpServer> listener_;
    std::string host_;
    uint16_t port_ = 0;
    QTcpSocket *client_ = nullptr;
    QTcpSocket *server_ = nullptr;
    Direction up_{false, {}};
    Direction down_{true, {}};
    std::vector<std::string> lines_;
    bool keepalives_ = false;
    bool ended_ = false;
    std::function<void(const std::string &)> dump_;
};
