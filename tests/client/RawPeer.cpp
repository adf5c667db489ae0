#include "tests/client/RawPeer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

sockaddr_in Loopback(uint16_t port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

} // namespace

RawPeer::RawPeer(int backlog, int receiveBuffer)
{
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    if (receiveBuffer > 0) // taken over by the accepted connection
        setsockopt(listener_, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    sockaddr_in a = Loopback(0);
    bind(listener_, reinterpret_cast<sockaddr *>(&a), sizeof a);
    listen(listener_, backlog);
    socklen_t len = sizeof a;
    getsockname(listener_, reinterpret_cast<sockaddr *>(&a), &len);
    port_ = ntohs(a.sin_port);
}

RawPeer::~RawPeer()
{
    for (int fd : fillers_)
        close(fd);
    if (peer_ >= 0)
        close(peer_);
    close(listener_);
}

void RawPeer::FillQueue()
{
    // A queue of backlog 0 holds one connection; a second one waits for room and so does every later one.
    for (int i = 0; i < 2; i++) {
        int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_in a = Loopback(port_);
        connect(fd, reinterpret_cast<sockaddr *>(&a), sizeof a);
        fillers_.push_back(fd);
        usleep(50000);
    }
}

const std::vector<uint8_t> &RawPeer::Drain()
{
    if (peer_ < 0)
        peer_ = accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK);
    if (peer_ >= 0) {
        uint8_t buf[65536];
        ssize_t n;
        while ((n = recv(peer_, buf, sizeof buf, 0)) > 0)
            received_.insert(received_.end(), buf, buf + n);
    }
    return received_;
}
