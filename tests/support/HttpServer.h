#pragma once
#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
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
        Endless,  // the headers without a length, then the body again and again until the client goes
        Declared, // the headers with the length of the body `times` over; the body follows only
                  // when the client is still there 5 s later
    };
    // What became of the last slow, endless or declared answer on a path, once it has ended.
    struct Outcome {
        uint64_t sent = 0;         // bytes of the body sent
        bool cut = false;          // the client closed the connection before the body's end
        double cutPastMark = -1;   // seconds from the body passing the mark to the cut, -1 without both
    };

    HttpServer();
    ~HttpServer();
    HttpServer(const HttpServer &) = delete;
    HttpServer &operator=(const HttpServer &) = delete;

    // Whole sends the body `times` times over, with the length of them all.
    void Serve(const std::string &path, const std::string &body, Mode mode = Mode::Whole, uint64_t times = 1);
    // While held, a slow answer stops after its headers: a test can see what the client makes of
    // them alone, however busy the machine.
    void HoldBodies(bool hold) { hold_ = hold; }
    // The body size whose passing an answer notes, to time what follows.
    void SetMark(uint64_t bytes) { mark_ = bytes; }
    // None until an answer on the path has ended.
    std::optional<Outcome> Answered(const std::string &path) const;
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
        uint64_t times = 1;
    };
    void Accept();
    void Answer(int fd);
    bool Send(int fd, const std::string &bytes);
    // Waits up to ms for the client to close the connection; true when it did.
    bool ClientGoes(int fd, int ms);

    int listen_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<bool> hold_{false};
    std::atomic<uint64_t> mark_{0};
    std::map<std::string, Outcome> outcomes_;
    mutable std::mutex lock_;
    std::map<std::string, Route> routes_;
    std::vector<std::string> requests_;
    std::vector<std::thread> answers_;
    std::thread acceptor_;
};
