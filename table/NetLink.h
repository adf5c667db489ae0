#pragma once
#include "table/RegRequest.h"

#include <string>

class GameMsg;

// A proxy on the way to the game server, as the proxy settings give it.
struct ProxyRoute {
    enum Kind { NONE = 0, SOCKS5 = 1, HTTP = 3 };
    int kind = NONE;
    std::string host;
    int port = 0;
    std::string user; // empty: no authentication
    std::string password;
};

// Where and as whom to log in to the game server (texts GBK, as typed).
struct GameLinkTarget {
    std::string host;
    int port = 1982;
    std::string account;
    std::string password;
    ProxyRoute proxy;
};

// Where to send an account registration request, and the request.
struct RegLinkTarget {
    std::string host;
    int port = 0;
    ProxyRoute proxy;
    RegRequest request;
};

// A login waits this long for the server's answer, at the login screen and at a NetWork start alike;
// then the player is told how far it got: connected, or not even that.
constexpr unsigned kLoginTimeoutMs = 30000;
inline const char *LoginTimeoutText(bool connected)
{
    return connected ? "接收游戏数据超时,请重试." : "连接游戏服务器超时,请重试.";
}

// The connection to the game server, and the registration link beside it, as the game object and the
// screens see them. The program's one implementation is the data module; tests put a recorder in its
// place. The two links share one proxy handshake: the screens never open both at once.
class NetLink {
public:
    virtual ~NetLink() = default;
    // Queues one record for the server and sends what the connection takes now; never waits.
    virtual void SendPacket(const GameMsg &msg) = 0;
    // Connects (through the proxy, if any) and logs in once the link stands.
    virtual void OpenGameLink(const GameLinkTarget &target) = 0;
    virtual void CloseGameLink() = 0;
    // Connecting or connected.
    virtual bool GameLinkActive() const = 0;
    virtual bool GameLinkConnected() const = 0;
    // The account the last login was sent with, 20 bytes at most.
    virtual std::string LoginAccount() const { return {}; }
    // The game has handled every record it was handed: a connection that stopped reading while they
    // waited reads on.
    virtual void ResumeRecords() {}

    // Connects (through the proxy, if any), sends the request once the link stands and reads the
    // one-byte answer; the link is closed once answered.
    virtual void OpenRegLink(const RegLinkTarget &target) = 0;
    virtual void CloseRegLink() = 0;
};

// Who takes the game server's records and the end of the connection: the game object.
class RecordSink {
public:
    virtual ~RecordSink() = default;
    virtual void OnGameMsg(const GameMsg &msg) = 0;
    virtual void OnDisconnect() = 0;
    // The records of one read come between these two: what they change is shown once, at the end.
    virtual void BeginRecords() {}
    virtual void EndRecords() {}
    // Records handed on now would wait behind an animation: the connection reads no more of them
    // until the game asks it to (NetLink::ResumeRecords).
    virtual bool Holding() const { return false; }
};
