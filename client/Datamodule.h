#pragma once
#include "client/Proxysock.h"
#include "client/RecordFramer.h"
#include "platform/MessageBox.h"
#include "platform/NetSocket.h"
#include "table/BoxPoster.h"
#include "table/NetLink.h"

#include <memory>
#include <string>

class TimerService;
struct NoLinkTexts;

// What the connection tells the rest of the program. The main window forwards these to the login
// screen, the lobby, the waiting window of NetWork mode and itself, and queues the connection's boxes
// with its others; each default does nothing, but a box shows at once.
class DataModuleHooks : public BoxPoster {
public:
    virtual ~DataModuleHooks() = default;
    virtual void ClearTables() {}                  // the lobby forgets its tables before a login
    virtual void ShowStatus(const std::string &) {} // the login screen's status label, then a repaint
    virtual void HideStatus() {}
    virtual void ReleaseLoginScreen() {} // its buttons usable again, its time-out stopped
    virtual void ShowServerChoice() {}
    virtual void PostLinkNotice(const std::string & /*text*/, const std::string & /*caption*/,
                                const std::string & /*url*/) {}
    virtual void ShowRegStatus(const std::string &) {} // the registration screen's status, then a repaint
    virtual void HideRegStatus() {}
    virtual void ReleaseRegScreen() {} // its buttons usable again, its time-out stopped
    virtual void ShowLoginScreen() {}  // an account was registered: the player logs in with it
    virtual void ShowHintText(const std::string &) {} // NetWork mode's waiting window
    virtual void CloseHint() {}
    virtual void Repaint() {}
    // NetWork mode ends with its connection, with a code other than 0 when the login was never
    // answered; queued by the window.
    virtual void CloseMainWindow(int /*exitcode*/) {}
};

// The game-server connection: opens it (through a proxy when asked), logs in, cuts the server's
// bytes into records for the game object, and is the one way out for every record the program sends.
// Beside it, the registration link sends one request and tells the user the server's verdict.
// Connection failures become the user's messages.
class TDataModule1 : public NetLink {
public:
    // Timer ids of the game link's time-outs; the game's own ids stay below them.
    static constexpr unsigned TIMER_CONNECT1 = 300;
    static constexpr unsigned TIMER_PROXY1 = 301;
    static constexpr unsigned TIMER_CONNECT2 = 302;
    static constexpr unsigned TIMER_LOGIN1 = 303;
    static constexpr unsigned kConnectTimeoutMs = 60000;
    static constexpr unsigned kProxyTimeoutMs = 60000;
    // Bytes that may wait to be sent; a record that would reach it ends the connection instead.
    static constexpr int kSendLimit = 10000;
    // Records handed on in one turn of the event loop, give or take one read; the rest wait for the
    // next turn, behind the input, the timers and the paints that came meanwhile.
    static constexpr int kSliceRecords = 512;

    // Without a socket the toolkit's is used; tests hand in their own.
    explicit TDataModule1(std::unique_ptr<NetSocket> socket1 = nullptr);
    ~TDataModule1() override;
    TDataModule1(const TDataModule1 &) = delete;
    TDataModule1 &operator=(const TDataModule1 &) = delete;

    void SetGame(RecordSink *sink) { game = sink; }
    void SetHooks(DataModuleHooks *h) { hooks = h ? h : &noHooks; }

    void SendPacket(const GameMsg &msg) override;
    void OpenGameLink(const GameLinkTarget &target) override;
    void CloseGameLink() override;
    bool GameLinkActive() const override { return ClientSocket1->IsActive(); }
    bool GameLinkConnected() const override { return ClientSocket1->IsConnected(); }
    std::string LoginAccount() const override;
    void ResumeRecords() override;
    void OpenRegLink(const RegLinkTarget &target) override;
    void CloseRegLink() override;

    void ClientSocket1Connect();
    void ClientSocket1Read();
    void ClientSocket1Disconnect();
    void ClientSocket1Error(NetSocket::ErrorKind kind);
    void SendLogin();

    void ClientSocket2Connect();
    void ClientSocket2Read();
    void ClientSocket2Error(NetSocket::ErrorKind kind);

    // Bytes of an unfinished record waiting for the next read.
    int CarryCount() const { return framer.Carry(); }

    std::unique_ptr<NetSocket> ClientSocket1;
    std::unique_ptr<NetSocket> ClientSocket2; // the registration link
    CProxySock proxysock; // serves whichever link is being opened
    uint8_t proxyon = 0;    // the connection being made goes through a proxy
    uint8_t proxyready = 0; // its handshake has finished and the login was sent
    bool networkmode = false; // started as "NetWork": the connection is the whole program
    bool loginpending = false; // NetWork mode: the login's answer has not come yet
    char myaccount[20] = {};  // the account logged in with; unterminated when it fills the field

private:
    // Opens the socket to the host, or to the proxy with the handshake towards the host made ready.
    void OpenThrough(NetSocket &socket, const std::string &host, int port, const ProxyRoute &proxy);
    // Hands on the records waiting in the socket: a slice of them, up to where the game holds the rest
    // behind an animation, or the whole of them.
    void DrainRecords(bool whole);
    // The handshake has ended: logs in, or fails the connection; true when records may follow.
    bool ProxyFinished();
    void ProxyFailed();
    void OnProxyTimeout();
    // A NetWork start that got no answer to its login: nothing but its box may be left standing.
    void LoginAnswered();
    void OnLoginTimeout();
    void NetWorkFailed(const char *text, const char *title, MessageBox::Icon icon);
    // A box of the connection's; a NetWork start ends once it has closed, with the exit code.
    void TellUser(const char *text, const char *title, MessageBox::Icon icon, int exitcode);
    // No connection could be made: the user may pick another server.
    void NoLink(const NoLinkTexts &texts, int exitcode);
    // The boxes of a proxy's handshake that failed.
    void TellProxyFailed();
    // The connection has ended, by whichever way: nothing of it may reach the next one.
    void LinkEnded();
    void SendRegRequest();
    // The handshake of the registration link has ended: sends the request, or gives up; true when
    // the request went.
    bool RegProxyFinished();
    // The server's verdict on the request, told to the user.
    void RegAnswer(int8_t code);

    RecordSink *game = nullptr;
    DataModuleHooks noHooks;
    DataModuleHooks *hooks = &noHooks;
    RecordFramer framer;
    TimerService &timers;
    std::string account;
    std::string password;
    RegRequest regrequest;
    bool linkup = false;      // connected, and not yet ended
    bool dispatching = false; // records are being handed on; a nested read waits for this one
};
