#include "client/Datamodule.h"

#include "platform/AdapterAddress.h"
#include "platform/ClientSocket.h"
#include "platform/Gbk.h"
#include "platform/MessageBox.h"
#include "platform/TimerService.h"
#include "rules/CLog.h"
#include "table/Addresses.h"
#include "table/ClientRecords.h"

#include <cstring>

// What the user is told when no connection could be made: a box in NetWork mode, else a link
// notice and the login screen's status, by cause.
struct NoLinkTexts {
    const char *box;
    const char *notice;
    const char *status;
};

namespace {

const char *const kVerifying = "正在验证用户身份...";
const char *const kStatusLinkCaption = "点击查看服务状态 ";
const NoLinkTexts kConnectFailed = {
    "连接游戏服务器失败，可能是网络故障或者游戏服务器正在维护。\n请尝试选择另外的服务器进行登陆。",
    "连接到游戏服务器失败，可能是网络故障或者服务器维护", "连接服务器失败，请检查网络。"};
const NoLinkTexts kLookupFailed = {
    "查询服务器域名失败，可能是网络故障或者游戏服务器正在维护。\n请尝试选择另外的服务器进行登陆。",
    "查询服务器域名失败，可能是网络故障或者服务器维护", "查询服务器域名失败，请检查网络。"};

} // namespace

TDataModule1::TDataModule1(std::unique_ptr<NetSocket> socket1)
    : ClientSocket1(socket1 ? std::move(socket1) : std::make_unique<ClientSocket>(TIMER_CONNECT1, kConnectTimeoutMs)),
      ClientSocket2(std::make_unique<ClientSocket>(TIMER_CONNECT2, kConnectTimeoutMs)), timers(TimerService::Current())
{
    ClientSocket1->SetEvents({[this] { ClientSocket1Connect(); }, [this] { ClientSocket1Read(); },
                              [this] { ClientSocket1Disconnect(); },
                              [this](NetSocket::ErrorKind kind) { ClientSocket1Error(kind); }});
    // The registration link is closed by the program once it has its answer: its end tells nothing.
    ClientSocket2->SetEvents({[this] { ClientSocket2Connect(); }, [this] { ClientSocket2Read(); }, nullptr,
                              [this](NetSocket::ErrorKind kind) { ClientSocket2Error(kind); }});
    timers.SetHandler(TIMER_PROXY1, [this] { OnProxyTimeout(); });
    timers.SetHandler(TIMER_LOGIN1, [this] { OnLoginTimeout(); });
}

TDataModule1::~TDataModule1()
{
    timers.Stop(TIMER_PROXY1);
    timers.SetHandler(TIMER_PROXY1, nullptr);
    timers.Stop(TIMER_LOGIN1);
    timers.SetHandler(TIMER_LOGIN1, nullptr);
    ClientSocket1->SetEvents({});
    ClientSocket2->SetEvents({});
}

void TDataModule1::OpenGameLink(const GameLinkTarget &target)
{
    if (ClientSocket1->IsActive())
        return;
    account = target.account;
    password = target.password;
    if (networkmode) {
        loginpending = true;
        timers.Start(TIMER_LOGIN1, kLoginTimeoutMs);
    }
    OpenThrough(*ClientSocket1, target.host, target.port, target.proxy);
}

void TDataModule1::OpenThrough(NetSocket &socket, const std::string &host, int port, const ProxyRoute &proxy)
{
    proxyready = 0;
    proxyon = proxy.kind != ProxyRoute::NONE;
    if (!proxyon) {
        socket.Open(host, port);
        return;
    }
    proxysock.SetType(proxy.kind);
    proxysock.SetDestination(host, port);
    proxysock.SetAuth(proxy.user, proxy.password);
    socket.Open(proxy.host, proxy.port);
}

void TDataModule1::CloseGameLink()
{
    linkup = false;
    timers.Stop(TIMER_PROXY1);
    ClientSocket1->Close();
}

// Every record of the program leaves here. Only a link that stands takes records: before the proxy's
// handshake has finished they would reach the proxy. The toolkit writes what waits as soon as the
// system takes it, so nothing sits until the next record.
void TDataModule1::SendPacket(const GameMsg &msg)
{
    if (!linkup || (proxyon && !proxyready)) {
        g_log.Trace("SendPacket: no link for type %d.", msg.Type());
        return;
    }
    if (ClientSocket1->BytesToWrite() + GameMsg::kSize >= kSendLimit) {
        // A server that takes nothing would make the queue grow without end.
        g_log.Error("SendPacket: the queue is full; the connection is closed.");
        CloseGameLink();
        return;
    }
    ClientSocket1->Write(msg.Data(), GameMsg::kSize);
    ClientSocket1->Flush();
}

void TDataModule1::ClientSocket1Connect()
{
    framer.Clear();
    linkup = true;
    if (!proxyon) {
        SendLogin();
        return;
    }
    timers.Start(TIMER_PROXY1, kProxyTimeoutMs);
    if (proxysock.OnConnect(*ClientSocket1))
        ProxyFinished();
}

void TDataModule1::ClientSocket1Read()
{
    if (dispatching)
        return;
    if (proxyon && !proxyready) {
        if (!proxysock.OnRead(*ClientSocket1) || !ProxyFinished())
            return;
    }
    // Bytes of the server may have come behind the proxy's answer; the toolkit announces bytes only
    // once, so everything waiting is taken now.
    DrainRecords(false);
}

void TDataModule1::DrainRecords(bool whole)
{
    dispatching = true;
    RecordSink *sink = game;
    if (sink)
        sink->BeginRecords();
    int handed = 0;
    // While the game holds records behind an animation the rest waits in the socket, and the server
    // is slowed down by the system rather than filling the program.
    auto more = [&] { return whole || (handed < kSliceRecords && !(sink && sink->Holding())); };
    while (linkup && more() && ClientSocket1->BytesAvailable() > 0) {
        int64_t got = ClientSocket1->Read(framer.ReadPlace(), framer.Room());
        if (got <= 0)
            break;
        framer.Cut(static_cast<int>(got), [this, &handed](const GameMsg &msg) {
            handed++;
            if (loginpending && (msg.Type() == SC_LOGIN_SUCCESS || msg.Type() == SC_LOGIN_FAIL))
                LoginAnswered();
            if (game)
                game->OnGameMsg(msg);
            return linkup;
        });
    }
    if (sink)
        sink->EndRecords();
    dispatching = false;
    if (linkup && !(sink && sink->Holding()) && ClientSocket1->BytesAvailable() > 0)
        ClientSocket1->ReadLater();
}

void TDataModule1::ResumeRecords()
{
    if (linkup && !dispatching && ClientSocket1->BytesAvailable() > 0)
        ClientSocket1->ReadLater();
}

bool TDataModule1::ProxyFinished()
{
    timers.Stop(TIMER_PROXY1);
    if (proxysock.GetError() != CProxySock::ERROR_NONE) {
        ProxyFailed();
        return false;
    }
    proxyready = 1;
    SendLogin();
    return true;
}

void TDataModule1::ProxyFailed()
{
    CloseGameLink();
    hooks->ReleaseLoginScreen();
    TellProxyFailed();
}

void TDataModule1::TellProxyFailed()
{
    if (proxysock.GetError() == CProxySock::ERROR_NODESTINATION)
        hooks->PostBox("错误：使用代理服务器时没有指定目的地址!", "Lantile", MessageBox::IconNone, nullptr);
    hooks->PostBox("连接代理服务器失败!", "info", MessageBox::IconInformation, nullptr);
}

void TDataModule1::OnProxyTimeout()
{
    timers.Stop(TIMER_PROXY1);
    if (linkup && proxyon && !proxyready)
        ProxyFailed();
}

void TDataModule1::SendLogin()
{
    hooks->ClearTables();
    hooks->ShowStatus(kVerifying);
    GameMsg login;
    BuildLogin(login, account, password, FirstAdapterAddress());
    SendPacket(login);
    std::memset(myaccount, 0, sizeof myaccount);
    std::memcpy(myaccount, account.data(), GbkFit(account, sizeof myaccount));
    if (networkmode)
        hooks->ShowHintText(kVerifying);
}

std::string TDataModule1::LoginAccount() const
{
    return std::string(myaccount, strnlen(myaccount, sizeof myaccount));
}

void TDataModule1::LinkEnded()
{
    linkup = false;
    timers.Stop(TIMER_PROXY1);
    framer.Clear();
}

void TDataModule1::ClientSocket1Disconnect()
{
    // What the server sent before it closed is all handed on, in order, before its end.
    if (linkup && !dispatching)
        DrainRecords(true);
    LinkEnded();
    if (networkmode)
        hooks->CloseHint();
    hooks->HideStatus();
    if (game)
        game->OnDisconnect();
    if (loginpending)
        NetWorkFailed("和服务器的连接断开，请重新登录。", "信息", MessageBox::IconWarning);
}

void TDataModule1::LoginAnswered()
{
    loginpending = false;
    timers.Stop(TIMER_LOGIN1);
}

void TDataModule1::NetWorkFailed(const char *text, const char *title, MessageBox::Icon icon)
{
    LoginAnswered();
    hooks->CloseHint();
    TellUser(text, title, icon, 1);
}

void TDataModule1::TellUser(const char *text, const char *title, MessageBox::Icon icon, int exitcode)
{
    std::function<void()> then;
    if (networkmode)
        then = [h = hooks, exitcode] { h->CloseMainWindow(exitcode); };
    hooks->PostBox(text, title, icon, std::move(then));
}

void TDataModule1::OnLoginTimeout()
{
    timers.Stop(TIMER_LOGIN1);
    if (!loginpending)
        return;
    const bool connected = ClientSocket1->IsConnected();
    loginpending = false;
    // Its end, told later, is no longer the start's failure: this box says why.
    CloseGameLink();
    NetWorkFailed(LoginTimeoutText(connected), "Lantile", MessageBox::IconInformation);
}

void TDataModule1::NoLink(const NoLinkTexts &texts, int exitcode)
{
    if (networkmode) {
        TellUser(texts.box, "Lantile", MessageBox::IconWarning, exitcode);
        return;
    }
    hooks->PostLinkNotice(texts.notice, kStatusLinkCaption, kServiceStatusUrl);
    hooks->ShowServerChoice();
    hooks->ShowStatus(texts.status);
}

void TDataModule1::ClientSocket1Error(NetSocket::ErrorKind kind)
{
    // A NetWork start whose login was never answered has failed.
    const int exitcode = loginpending ? 1 : 0;
    LoginAnswered();
    LinkEnded();
    if (networkmode)
        hooks->CloseHint();
    hooks->ReleaseLoginScreen();
    if (game)
        game->OnDisconnect();
    ClientSocket1->Close();
    switch (kind) {
    case NetSocket::ErrorConnect:
        NoLink(kConnectFailed, exitcode);
        break;
    case NetSocket::ErrorLookup:
        NoLink(kLookupFailed, exitcode);
        break;
    case NetSocket::ErrorDisconnect:
        TellUser("与服务器的连接断开，请尽快重新登录继续游戏.", "信息", MessageBox::IconInformation, exitcode);
        break;
    case NetSocket::ErrorOther:
        TellUser("和服务器的连接断开，请重新登录。", "信息", MessageBox::IconWarning, exitcode);
        break;
    }
    hooks->Repaint();
}

void TDataModule1::OpenRegLink(const RegLinkTarget &target)
{
    regrequest = target.request;
    OpenThrough(*ClientSocket2, target.host, target.port, target.proxy);
}

void TDataModule1::CloseRegLink()
{
    ClientSocket2->Close();
}

void TDataModule1::SendRegRequest()
{
    hooks->ShowRegStatus("连接服务器成功,正在提交注册请求...");
    ClientSocket2->Write(regrequest.bytes, RegRequest::kSize);
    ClientSocket2->Flush();
}

void TDataModule1::ClientSocket2Connect()
{
    if (!proxyon)
        SendRegRequest();
    else if (proxysock.OnConnect(*ClientSocket2))
        RegProxyFinished();
}

bool TDataModule1::RegProxyFinished()
{
    if (proxysock.GetError() != CProxySock::ERROR_NONE) {
        CloseRegLink();
        hooks->ReleaseRegScreen();
        TellProxyFailed();
        return false;
    }
    proxyready = 1;
    SendRegRequest();
    return true;
}

void TDataModule1::ClientSocket2Read()
{
    if (proxyon && !proxyready) {
        if (!proxysock.OnRead(*ClientSocket2) || !RegProxyFinished())
            return;
        // The answer is still to come.
        if (ClientSocket2->BytesAvailable() == 0)
            return;
    }
    hooks->HideRegStatus();
    hooks->ReleaseRegScreen();
    // One byte is the answer; anything else is no answer at all.
    uint8_t code = 0;
    const bool answered = ClientSocket2->BytesAvailable() == 1 && ClientSocket2->Read(&code, 1) == 1;
    // Closed whatever came, so that the next request finds the link free.
    CloseRegLink();
    if (answered)
        RegAnswer(static_cast<int8_t>(code));
}

void TDataModule1::RegAnswer(int8_t code)
{
    const char *text = "已经被注册的帐号";
    switch (code) {
    case 1:
        hooks->PostBox("注册帐号成功", "Info", MessageBox::IconInformation, [h = hooks] { h->ShowLoginScreen(); });
        return;
    case 10:
        text = "帐号中含有系统禁止的字符";
        break;
    case 9:
        text = "服务器停止注册";
        break;
    case 5:
        text = "注册帐号不成功";
        break;
    default:
        break;
    }
    hooks->PostBox(text, "Warning", MessageBox::IconInformation, nullptr);
}

void TDataModule1::ClientSocket2Error(NetSocket::ErrorKind kind)
{
    hooks->ReleaseRegScreen();
    if (kind == NetSocket::ErrorConnect)
        hooks->ShowRegStatus(kConnectFailed.status);
    else if (kind == NetSocket::ErrorLookup)
        hooks->ShowRegStatus(kLookupFailed.status);
    hooks->Repaint();
    hooks->PostLinkNotice("接到注册服务器失败，请至游戏网站进行注册", "点击这里注册帐号 ", kRegisterPageUrl);
}
