#include "tests/support/HttpServer.h"

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

void Pause(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

HttpServer::HttpServer()
{
    listen_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (listen_ < 0 || bind(listen_, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 ||
        listen(listen_, 16) != 0 || getsockname(listen_, reinterpret_cast<sockaddr *>(&addr), &len) != 0)
        throw std::runtime_error("the test's web server cannot listen on 127.0.0.1");
    port_ = ntohs(addr.sin_port);
    acceptor_ = std::thread([this] { Accept(); });
}

HttpServer::~HttpServer()
{
    stop_ = true;
    acceptor_.join();
    for (std::thread &t : answers_)
        t.join();
    close(listen_);
}

void HttpServer::Serve(const std::string &path, const std::string &body, Mode mode, uint64_t times)
{
    std::lock_guard<std::mutex> hold(lock_);
    routes_[path] = {body, mode, times};
}

std::string HttpServer::Address(const std::string &path) const
{
    return "127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> HttpServer::Requests() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return requests_;
}

std::optional<HttpServer::Outcome> HttpServer::Answered(const std::string &path) const
{
    std::lock_guard<std::mutex> hold(lock_);
    auto it = outcomes_.find(path);
    return it == outcomes_.end() ? std::nullopt : std::optional<Outcome>(it->second);
}

bool HttpServer::ClientGoes(int fd, int ms)
{
    char byte;
    for (int waited = 0; !stop_ && waited < ms; waited += 10) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 10) > 0 && recv(fd, &byte, 1, 0) <= 0)
            return true;
    }
    return false;
}

void HttpServer::Accept()
{
    while (!stop_) {
        pollfd p{listen_, POLLIN, 0};
        if (poll(&p, 1, 20) <= 0)
            continue;
        int fd = accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd >= 0)
            answers_.emplace_back([this, fd] {
                Answer(fd);
                close(fd);
            });
    }
}

bool HttpServer::Send(int fd, const std::string &bytes)
{
    size_t sent = 0;
    for (ssize_t n = 0; sent < bytes.size() && !stop_; sent += static_cast<size_t>(n))
        if ((n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL)) <= 0)
            return false;
    return sent == bytes.size();
}

void HttpServer::Answer(int fd)
{
    std::string request;
    char buf[1024];
    while (request.find("\r\n\r\n") == std::string::npos && !stop_) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 20) <= 0)
            continue;
        ssize_t n = recv(fd, buf, sizeof buf, 0);
        if (n <= 0)
            return;
        request.append(buf, static_cast<size_t>(n));
    }
    const size_t start = request.find(' ') + 1;
    const std::string path = request.substr(start, request.find(' ', start) - start);
    Route route{"not found", Mode::Whole};
    std::string status = "404 Not Found";
    {
        std::lock_guard<std::mutex> hold(lock_);
        requests_.push_back(path);
        if (auto it = routes_.find(path); it != routes_.end()) {
            route = it->second;
            status = "200 OK";
        }
    }
    const std::string &body = route.body;
    const std::string head = "HTTP/1.1 " + status + "\r\nConnection: close\r\nContent-Length: " +
                             std::to_string(body.size() * route.times) + "\r\n\r\n";
    switch (route.mode) {
    case Mode::Whole:
        if (!Send(fd, head))
            return;
        for (uint64_t k = 0; k < route.times && Send(fd, body); k++) {
        }
        break;
    case Mode::Endless: {
        if (!Send(fd, "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n"))
            return;
        Outcome out;
        std::chrono::steady_clock::time_point marked;
        bool passed = false;
        while (Send(fd, body)) {
            out.sent += body.size();
            if (!passed && out.sent >= mark_) {
                passed = true;
                marked = std::chrono::steady_clock::now();
            }
        }
        out.cut = !stop_;
        if (out.cut && passed)
            out.cutPastMark = std::chrono::duration<double>(std::chrono::steady_clock::now() - marked).count();
        std::lock_guard<std::mutex> hold(lock_);
        outcomes_[path] = out;
        break;
    }
    case Mode::Declared: {
        Outcome out;
        if (!Send(fd, head))
            return;
        out.cut = ClientGoes(fd, 5000);
        for (uint64_t k = 0; !out.cut && k < route.times; k++) {
            out.cut = !Send(fd, body) && !stop_;
            out.sent += out.cut ? 0 : body.size();
        }
        std::lock_guard<std::mutex> hold(lock_);
        outcomes_[path] = out;
        break;
    }
    case Mode::Slow: {
        if (!Send(fd, head))
            return;
        Pause(100);
        while (hold_ && !stop_)
            Pause(10);
        Outcome out;
        for (size_t at = 0; at < body.size(); at += 1024) {
            const std::string piece = body.substr(at, 1024);
            if (!Send(fd, piece)) {
                out.cut = !stop_;
                break;
            }
            out.sent += piece.size();
            Pause(20);
        }
        std::lock_guard<std::mutex> hold(lock_);
        outcomes_[path] = out;
        break;
    }
    case Mode::Short:
        Send(fd, head + body.substr(0, body.size() / 2));
        break;
    case Mode::Hang:
        Send(fd, head + body.substr(0, 1));
        while (!stop_)
            Pause(10);
        break;
    }
}
