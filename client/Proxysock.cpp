#include "client/Proxysock.h"

#include "platform/ByteStream.h"
#include "platform/NetSocket.h"
#include "rules/CLog.h"

#include <algorithm>
#include <arpa/inet.h>
#include <netdb.h>
#include <openssl/evp.h>
#include <string_view>
#include <sys/socket.h>

namespace {

constexpr uint8_t SOCKS_VERSION = 5;
constexpr uint8_t METHOD_NONE = 0, METHOD_PASSWORD = 2, METHOD_REFUSED = 255;

std::string Base64(const std::string &text)
{
    std::string out(4 * ((text.size() + 2) / 3) + 1, '\0');
    int n = EVP_EncodeBlock(reinterpret_cast<unsigned char *>(out.data()),
                            reinterpret_cast<const unsigned char *>(text.data()), static_cast<int>(text.size()));
    out.resize(static_cast<size_t>(n));
    return out;
}

char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// "HTTP/<version> 2xx ...": any success answer to CONNECT opens the tunnel.
bool StatusLineIs2xx(std::string_view reply)
{
    std::string_view line = reply.substr(0, reply.find("\r\n"));
    size_t i = 5; // past "HTTP/", checked already
    if (line.size() <= i || line[4] != '/')
        return false;
    while (i < line.size() && line[i] != ' ')
        i++;
    if (i == 5 || i == line.size())
        return false;
    while (i < line.size() && line[i] == ' ')
        i++;
    if (i + 3 > line.size() || line[i] != '2' || !IsDigit(line[i + 1]) || !IsDigit(line[i + 2]))
        return false;
    return i + 3 == line.size() || line[i + 3] == ' ';
}

} // namespace

void CProxySock::SetAuth(const std::string &user, const std::string &password)
{
    user_ = user;
    password_ = password;
}

void CProxySock::SetDestination(const std::string &host, int port)
{
    destbad_ = NotAHost(host);
    desthost_ = destbad_ ? std::string() : host;
    destport_ = htons(static_cast<uint16_t>(port));
    destaddr_ = 0;
    if (destbad_)
        return;
    in_addr dotted{};
    if (inet_pton(AF_INET, host.c_str(), &dotted) == 1) {
        destaddr_ = dotted.s_addr;
        return;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo *found = nullptr;
    if (!host.empty() && getaddrinfo(host.c_str(), nullptr, &hints, &found) == 0 && found) {
        destaddr_ = reinterpret_cast<const sockaddr_in *>(found->ai_addr)->sin_addr.s_addr;
        freeaddrinfo(found);
    }
}

bool CProxySock::OnConnect(ByteStream &socket)
{
    pendingskip_ = 0;
    error_ = ERROR_NONE;
    // A reply half read by an earlier attempt must not count towards this one.
    readcount_ = 0;
    if (destbad_ && type_ != TYPE_NONE) {
        g_log.Error("Proxy: the destination is no host name.");
        httpdone_ = 1;
        return Finish(ERROR_FAILED);
    }
    switch (type_) {
    case TYPE_SOCKS5:
        return Socks5Greeting(socket);
    case TYPE_HTTP:
        return HttpConnect(socket);
    default:
        return true;
    }
}

bool CProxySock::OnRead(ByteStream &socket)
{
    switch (type_) {
    case TYPE_SOCKS5:
        return Socks5Read(socket);
    case TYPE_HTTP:
        return HttpRead(socket);
    default:
        return true;
    }
}

bool CProxySock::ReadBytes(ByteStream &socket, int n)
{
    int64_t want = n - readcount_;
    int64_t got = socket.Read(reply_ + readcount_, want);
    if (got > 0)
        readcount_ += static_cast<int>(got);
    if (readcount_ < n)
        return false;
    readcount_ = 0;
    return true;
}

bool CProxySock::Send(ByteStream &socket, const std::string &bytes)
{
    auto size = static_cast<int64_t>(bytes.size());
    return socket.Write(reinterpret_cast<const uint8_t *>(bytes.data()), size) == size;
}

bool CProxySock::Finish(int error)
{
    error_ = error;
    state_ = 0;
    return true;
}

bool CProxySock::Socks5Greeting(ByteStream &socket)
{
    std::string greeting = user_.empty() ? std::string{SOCKS_VERSION, 1, METHOD_NONE}
                                         : std::string{SOCKS_VERSION, 2, METHOD_NONE, METHOD_PASSWORD};
    state_ = 1;
    return Send(socket, greeting) ? false : Finish(ERROR_FAILED);
}

// Goes on through the states while bytes wait: the toolkit announces them only once.
bool CProxySock::Socks5Read(ByteStream &socket)
{
    for (;;) {
        switch (state_) {
        case 1:
            if (!ReadBytes(socket, 2))
                return false;
            if (reply_[0] != SOCKS_VERSION || reply_[1] == METHOD_REFUSED)
                return Finish(ERROR_FAILED);
            // A proxy that asks for a password gets one, even an empty one.
            if (reply_[1] == METHOD_PASSWORD) {
                if (Socks5Auth(socket))
                    return true;
            } else if (reply_[1] != METHOD_NONE || Socks5Connect(socket)) {
                return Finish(ERROR_FAILED);
            }
            break;
        case 2:
            if (!ReadBytes(socket, 2))
                return false;
            if (reply_[1] != 0 || Socks5Connect(socket))
                return Finish(ERROR_FAILED);
            break;
        case 3:
            if (pendingskip_ == 0) {
                if (!ReadBytes(socket, 5))
                    return false;
                if (!Socks5ReplyHead())
                    return true;
            }
            // The bound address and port end the reply; they are read and dropped.
            while (pendingskip_ > 0) {
                uint8_t scrap[32];
                int64_t got = socket.Read(scrap, std::min<int64_t>(pendingskip_, sizeof scrap));
                if (got <= 0)
                    return false;
                pendingskip_ -= static_cast<int>(got);
            }
            return Finish(ERROR_NONE);
        default:
            return true;
        }
    }
}

bool CProxySock::Socks5ReplyHead()
{
    if (reply_[0] != SOCKS_VERSION || reply_[1] != 0) {
        Finish(ERROR_REFUSED);
        return false;
    }
    // Five bytes are in: the version, the answer, a reserved byte, the address type and the first
    // byte of the address (the length of a name).
    switch (reply_[3]) {
    case 1:
        pendingskip_ = 4 - 1 + 2;
        return true;
    case 3:
        pendingskip_ = reply_[4] + 2;
        return true;
    case 4:
        pendingskip_ = 16 - 1 + 2;
        return true;
    default:
        g_log.Error("Socks5: unknown address type %d.", reply_[3]);
        Finish(ERROR_FAILED);
        return false;
    }
}

bool CProxySock::Socks5Auth(ByteStream &socket)
{
    if (user_.size() > 255 || password_.size() > 255)
        return Finish(ERROR_FAILED);
    std::string message{1, static_cast<char>(user_.size())};
    message += user_;
    message += static_cast<char>(password_.size());
    message += password_;
    state_ = 2;
    return Send(socket, message) ? false : Finish(ERROR_FAILED);
}

bool CProxySock::Socks5Connect(ByteStream &socket)
{
    std::string request{SOCKS_VERSION, 1, 0};
    if (destaddr_ != 0) {
        request += '\1';
        request.append(reinterpret_cast<const char *>(&destaddr_), 4);
    } else {
        if (desthost_.size() > 255)
            return Finish(ERROR_FAILED);
        request += '\3';
        request += static_cast<char>(desthost_.size());
        request += desthost_;
    }
    request.append(reinterpret_cast<const char *>(&destport_), 2);
    state_ = 3;
    return Send(socket, request) ? false : Finish(ERROR_FAILED);
}

bool CProxySock::HttpConnect(ByteStream &socket)
{
    httpdone_ = 0;
    httpreply_.clear();
    // Without a destination there is nothing to ask for: the attempt fails at once rather than waiting
    // for an answer that cannot come.
    if (destaddr_ == 0 && desthost_.empty()) {
        httpdone_ = 1;
        return Finish(ERROR_NODESTINATION);
    }
    std::string target = desthost_ + ":" + std::to_string(ntohs(destport_));
    std::string request = "CONNECT " + target + " HTTP/1.1\r\nHost: " + target + "\r\n";
    if (!user_.empty()) {
        std::string credentials = "Basic " + Base64(user_ + ":" + password_);
        request += "Authorization: " + credentials + "\r\nProxy-Authorization: " + credentials + "\r\n";
    }
    request += "\r\n";
    if (Send(socket, request))
        return false;
    httpdone_ = 1;
    return Finish(ERROR_FAILED);
}

bool CProxySock::HttpRead(ByteStream &socket)
{
    if (httpdone_)
        return true;
    // One byte at a time, so that nothing after the reply's header is taken.
    uint8_t byte;
    while (socket.Read(&byte, 1) == 1) {
        httpreply_ += static_cast<char>(byte);
        if (HttpParseReply()) {
            httpdone_ = 1;
            return true;
        }
    }
    return false;
}

// Judges the reply read so far; true once judged, with the error set.
bool CProxySock::HttpParseReply()
{
    static const char kPrefix[] = "HTTP";
    size_t n = std::min<size_t>(4, httpreply_.size());
    for (size_t i = 0; i < n; i++)
        if (AsciiUpper(httpreply_[i]) != kPrefix[i])
            return Finish(ERROR_FAILED);
    if (httpreply_.size() >= 4 && httpreply_.ends_with("\r\n\r\n"))
        return Finish(StatusLineIs2xx(httpreply_) ? ERROR_NONE : ERROR_FAILED);
    if (httpreply_.size() >= kHttpReplyCap)
        return Finish(ERROR_FAILED);
    return false;
}
