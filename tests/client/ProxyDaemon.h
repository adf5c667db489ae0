#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

class QProcess;

// A proxy server of the system (danted, microsocks or tinyproxy) run for one test on a free loopback
// port, its configuration and log in the test's scratch folder, stopped by its own pid.
class ProxyDaemon {
public:
    enum Kind { DANTE, MICROSOCKS, TINYPROXY };

    // With a user, microsocks and tinyproxy ask for user and password (danted never does).
    ProxyDaemon(Kind kind, std::filesystem::path folder, std::string user = "", std::string password = "");
    ~ProxyDaemon();
    ProxyDaemon(const ProxyDaemon &) = delete;
    ProxyDaemon &operator=(const ProxyDaemon &) = delete;

    static bool Installed(Kind kind) { return !Executable(kind).empty(); }
    // Starts it and waits until its port takes connections; false with the reason otherwise.
    bool Start(std::string *why);
    uint16_t Port() const { return port_; }

private:
    static std::string Executable(Kind kind);
    std::string WriteConfig() const;

    Kind kind_;
    std::filesystem::path folder_;
    std::string user_;
    std::string password_;
    uint16_t port_ = 0;
    std::unique_ptr<QProcess> process_;
};
