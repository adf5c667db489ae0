#pragma once
#include <cstdint>
#include <string>

class ByteStream;

// Speaks a proxy's handshake on a connection that was opened to the proxy, so that afterwards the
// connection carries the game server's bytes: SOCKS5 with or without user and password, or an HTTP
// proxy's CONNECT with or without Basic credentials. One instance serves whichever link is opened;
// it is configured again before each attempt.
class CProxySock {
public:
    enum Type { TYPE_NONE = 0, TYPE_SOCKS5 = 1, TYPE_HTTP = 3 };
    enum Error { ERROR_NONE = 0, ERROR_FAILED = 1, ERROR_REFUSED = 2, ERROR_NODESTINATION = 3 };
    // The longest HTTP reply header read before giving up.
    static constexpr size_t kHttpReplyCap = 8192;

    void SetType(int type) { type_ = type; }
    void SetAuth(const std::string &user, const std::string &password);
    // A dotted IPv4 address is used as it stands; a name is resolved here when it can be, else the
    // SOCKS5 proxy is asked to resolve it. What is no host name (NotAHost) is never sent: the
    // handshake then fails as soon as it starts.
    void SetDestination(const std::string &host, int port);

    // Starts the handshake; true when it has already ended (nothing to negotiate, or a failure).
    bool OnConnect(ByteStream &socket);
    // Takes the proxy's answer as it arrives, never a byte past its end; true once the handshake has
    // ended, either way.
    bool OnRead(ByteStream &socket);
    // 0 success, 1 failure, 2 the SOCKS5 proxy refused the connection to the server, 3 an HTTP proxy
    // was given no server to connect to.
    int GetError() const { return error_; }

private:
    bool ReadBytes(ByteStream &socket, int n);
    bool Send(ByteStream &socket, const std::string &bytes);
    bool Finish(int error);

    // The steps that send answer true when the handshake has ended (it failed).
    bool Socks5Greeting(ByteStream &socket);
    bool Socks5Read(ByteStream &socket);
    bool Socks5Auth(ByteStream &socket);
    bool Socks5Connect(ByteStream &socket);
    bool Socks5ReplyHead();

    bool HttpConnect(ByteStream &socket);
    bool HttpRead(ByteStream &socket);
    bool HttpParseReply();

    int type_ = TYPE_NONE;
    int state_ = 0; // SOCKS5: 0 done, 1 method choice, 2 authentication status, 3 CONNECT reply
    std::string user_;
    std::string password_;
    uint8_t reply_[5] = {};
    int readcount_ = 0;
    int error_ = ERROR_NONE;
    std::string desthost_;
    bool destbad_ = false;
    uint32_t destaddr_ = 0; // network order; 0 when not resolved
    uint16_t destport_ = 0; // network order
    int pendingskip_ = 0;
    uint8_t httpdone_ = 0;
    std::string httpreply_;
};
