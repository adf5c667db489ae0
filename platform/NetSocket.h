#pragma once
#include "platform/ByteStream.h"

#include <functional>
#include <string>
#include <string_view>

// A host name or address holds letters, digits, dots, hyphens, underscores and an IPv6 address's
// colons, nothing else. Anything more (a space, a control byte, which would end a line of a proxy's
// request) is no host anywhere: it is refused before it reaches a socket or a proxy.
inline bool NotAHost(std::string_view text)
{
    for (char c : text) {
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum && c != '.' && c != '-' && c != '_' && c != ':')
            return true;
    }
    return false;
}

// A non-blocking client connection that reports what happens to it through four events, all on the
// GUI thread. Each connection ends exactly once: either Disconnect (the server closed it, or Close
// ended a connected link) or Error (it never connected, or it broke); never both.
class NetSocket : public ByteStream {
public:
    enum ErrorKind {
        ErrorConnect,    // refused, unreachable or timed out while connecting
        ErrorLookup,     // the host name could not be resolved
        ErrorDisconnect, // failed while a close was under way
        ErrorOther,      // broke while connected
    };
    struct Events {
        std::function<void()> connect;
        std::function<void()> read; // bytes are waiting; the handler takes them all
        std::function<void()> disconnect;
        std::function<void(ErrorKind)> error;
    };

    void SetEvents(Events events) { events_ = std::move(events); }

    virtual void Open(const std::string &host, int port) = 0;
    // Ends the connection at once, dropping unsent bytes. A connected link then reports Disconnect,
    // after the caller has returned; a connection still being made ends silently.
    virtual void Close() = 0;
    // Connecting, connected or closing.
    virtual bool IsActive() const = 0;
    virtual bool IsConnected() const = 0;
    // Bytes queued by Write that the system has not taken yet; they go out as soon as it can.
    virtual int64_t BytesToWrite() const = 0;
    // Hands the system as much of the queue as it takes now, without waiting.
    virtual void Flush() = 0;
    // The read event comes again from the event loop while bytes wait: a handler that takes only part
    // of them lets everything else that waits run first.
    virtual void ReadLater() = 0;

protected:
    void RaiseConnect() { Raise(events_.connect); }
    void RaiseRead() { Raise(events_.read); }
    void RaiseDisconnect() { Raise(events_.disconnect); }
    void RaiseError(ErrorKind kind)
    {
        if (events_.error)
            events_.error(kind);
    }

private:
    static void Raise(const std::function<void()> &event)
    {
        if (event)
            event();
    }
    Events events_;
};
