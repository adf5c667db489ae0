#pragma once
#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A web server on 127.0.0.1 for the downloads' tests, on a thread of its own so that it answers
// whatever the test's threads are doing. Each path gets a body and a way to send it, honest or not;
// every other path is a 404.
class HttpServer {
public:
    enum class Mode {
        Whole,    // the body with its length
        Slow,     // the headers, 100 ms later (and not while bodies are held) the body with its
                  // length, 1 KB every 20 ms
        Short,    // declares the body's length, sends half of it and closes
        Hang,     // the headers and a first byte of the body, then nothing until the server stops
    };

    HttpServer();
    ~HttpServer();
    HttpServer(const HttpServer &) = delete;
    HttpServer &operator=(const HttpServer &) = delete;

    void Serve(const std::string &path, const std::string &body, Mode mode = Mode::Whole);
    // While held, a slow answer stops after its headers: a test can see what the client makes of
    // them alone, however busy the machine.
    void HoldBodies(bool hold) { hold_ = hold; }
    uint16_t Port() const { return port_; }
    // The address of a path without its scheme, as the game server announces pictures.
    std::string Address(const std::string &path) const;
    std::string Url(const std::string &path) const { return "http://" + Address(path); }
    // The paths asked for, in the order the requests arrived.
    std::vector<std::string> Requests() const;

private:
    struct Route {
        std::string body;
        Mode mode;
    };
    void Accept();
    void Answer(int fd);
    bool Send(int fd, const std::string &bytes);

    int listen_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<bool> hold_{false};
    mutable std::mutex lock_;
    std::map<std::string, Route> routes_;
    std::vector<std::string> requests_;
    std::vector<std::thread> answers_;
    std::thread acceptor_;
};
