#pragma once
#include "platform/Profile.h"
#include "table/NetLink.h"

#include <cstdint>
#include <string>

// The proxy of the program's links, as "Set.ini" [Proxy] keeps it. Texts are GBK, at most 49 bytes.
struct ProxySettings {
    static constexpr size_t kTextBytes = 49;

    uint8_t useproxy = 0;
    std::string address;
    int port = 1080;
    int type = 0; // 0 SOCKS5, otherwise an HTTP proxy's CONNECT
    uint8_t usepassword = 0;
    std::string username;
    std::string password;

    // The way to a server: none without the proxy; user and password only when the proxy wants them.
    ProxyRoute Route() const;

    static ProxySettings Read(const char *ini);
    // The keys in the order UseProxy, UsePassWord, Address, Type, Port, UserName, PassWord.
    void Write(Profile::Edit &ini) const;
};

// The proxy dialog's controls as values: filled from the settings, and taken back on OK.
struct ProxyDialog {
    bool useproxy = true;  // the check box that switches the proxy on
    std::string proxyname; // GBK, as every text here
    std::string port;      // as typed
    bool socks = true;     // the SOCKS choice; the HTTP choice is its other
    bool needauth = false; // the proxy asks for user and password
    std::string user;
    std::string password;

    // Fields usable (white) or greyed, as the two check boxes stand.
    bool FieldsEnabled() const { return useproxy; }
    bool AuthEnabled() const { return useproxy && needauth; }

    // Address and port always; user and password only when the proxy is on and wants them.
    static ProxyDialog For(const ProxySettings &settings);
    // OK: the switch always; the rest only with the proxy on, user and password only when asked for.
    // A port that is no number from 1 to 65535 keeps the old one; texts are cut to their first line
    // and to 49 bytes.
    void TakeInto(ProxySettings &settings) const;
};
