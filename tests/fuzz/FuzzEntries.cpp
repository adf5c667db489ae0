#include "tests/fuzz/FuzzEntries.h"

#include "client/Datamodule.h"
#include "client/Proxysock.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "platform/QuitRequest.h"
#include "platform/Random.h"
#include "platform/TestClock.h"
#include "table/CMj.h"
#include "table/Shell.h"
#include "tests/kit/AuditedSink.h"
#include "tests/kit/HeldRecords.h"
#include "tests/kit/LocalRobot.h"
#include "tests/kit/MemorySocket.h"
#include "tests/kit/TableAudit.h"

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <strings.h>
#include <unistd.h>

namespace {

// Piece sizes drawn from a small generator: the edges of a record and of a read, and anything else.
class Pieces {
public:
    explicit Pieces(uint32_t seed) : state_(seed * 2654435761u + 1) {}
    size_t Next()
    {
        state_ = state_ * 1103515245u + 12345u;
        uint32_t r = state_ >> 8;
        static const size_t edges[] = {1, 2, 128, 129, 130, 258, 8320, 8321};
        return r % 3 == 0 ? edges[(r >> 4) % 8] : 1 + (r >> 4) % 9000;
    }

private:
    uint32_t state_;
};

// Checks each record the data module hands on against the stream, then gives it to the game, whose
// bounds are checked after it.
struct CheckingSink : AuditedSink {
    void OnGameMsg(const GameMsg &msg) override
    {
        if (failure.empty() && (offset + GameMsg::kSize > size || std::memcmp(msg.Data(), stream + offset, GameMsg::kSize) != 0))
            failure = "record " + std::to_string(offset / GameMsg::kSize) + " is not the stream's";
        offset += GameMsg::kSize;
        AuditedSink::OnGameMsg(msg);
    }

    const uint8_t *stream = nullptr;
    size_t size = 0;
    size_t offset = 0;
    std::string failure;
};

size_t Consumed(const MemorySocket &s, size_t fed)
{
    return fed - static_cast<size_t>(s.BytesAvailable());
}

// The length of a SOCKS5 exchange that ends in an open tunnel, read from the proxy's bytes; 0 when
// they do not make one.
size_t Socks5SuccessLength(const uint8_t *b, size_t n)
{
    if (n < 2 || b[0] != 5 || (b[1] != 0 && b[1] != 2))
        return 0;
    size_t pos = 2;
    if (b[1] == 2) {
        if (n < pos + 2 || b[pos + 1] != 0)
            return 0;
        pos += 2;
    }
    if (n < pos + 5 || b[pos] != 5 || b[pos + 1] != 0)
        return 0;
    switch (b[pos + 3]) {
    case 1: return pos + 4 + 4 + 2;
    case 3: return pos + 4 + 1 + b[pos + 4] + 2;
    case 4: return pos + 4 + 16 + 2;
    default: return 0;
    }
}

// An HTTP header that opens the tunnel: "HTTP/<version> 2xx", ended by its first empty line.
bool HttpSuccess(const uint8_t *b, size_t n)
{
    std::string text(reinterpret_cast<const char *>(b), n);
    if (text.size() < 4 || text.find("\r\n\r\n") != text.size() - 4 || strncasecmp(text.c_str(), "HTTP/", 5) != 0)
        return false;
    std::string line = text.substr(0, text.find("\r\n"));
    size_t space = line.find(' ');
    if (space == std::string::npos || space <= 5)
        return false;
    size_t code = line.find_first_not_of(' ', space);
    auto digit = [&](size_t i) { return i < line.size() && line[i] >= '0' && line[i] <= '9'; };
    return code != std::string::npos && line[code] == '2' && digit(code + 1) && digit(code + 2) &&
           (code + 3 == line.size() || line[code + 3] == ' ');
}

// The main window, checking that every text the records hand it stays within its field.
struct BoundedShell : Shell {
    bool EditProxy(ProxyDialog &) override { return false; }
    void Check(const char *what, const std::string &text, size_t most)
    {
        if (failure.empty() && text.size() > most)
            failure = std::string(what) + " of " + std::to_string(text.size()) + " bytes";
    }
    void PostShowText(const std::string &text) override { Check("a notice", text, 128); }
    void PostRoomNotice(const std::string &text) override { Check("a room's refusal", text, 120); }
    void PostCloseTalk(const std::string &name) override { Check("a name", name, USERNAME_BYTES); }
    void PostLinkNotice(const std::string &text, const std::string &caption, const std::string &url) override
    {
        Check("a link's text", text, 60);
        Check("a link's caption", caption, 30);
        Check("a link's address", url, 35 + 7); // with the scheme it may be given
    }
    std::string failure;
};

// A box is answered at once, and a request to end (a picture the scratch folder lacks) is let pass:
// in a test process it would otherwise end the tests that follow, or mute their boxes.
struct QuietEnds {
    QuietEnds()
    {
        MessageBox::SetHandler([](const MessageBox::Box &) { return MessageBox::ResultOk; });
        QuitRequest::SetHandler([](const std::string &) {});
    }
    ~QuietEnds()
    {
        MessageBox::SetHandler(nullptr);
        QuitRequest::SetHandler(nullptr);
    }
    QuietEnds(const QuietEnds &) = delete;
    QuietEnds &operator=(const QuietEnds &) = delete;
};

} // namespace

void FuzzProcessSetUp(const char *name)
{
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static std::string program = name;
    static char *argv[] = {program.data(), nullptr};
    new QGuiApplication(argc, argv); // lives as long as the fuzzer
    auto folder = std::filesystem::temp_directory_path() / ("lantile-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "Save");
    Paths::SetProgramFolder(folder.string());
}

struct RecordDispatch::Parts {
    QuietEnds quiet; // first in, last out
    TestClock clock;
    std::unique_ptr<CMj> game;
    MemorySocket *socket = nullptr;
    std::unique_ptr<TDataModule1> link;
    CheckingSink sink;
    BoundedShell shell;
};

RecordDispatch::RecordDispatch() : parts_(std::make_unique<Parts>())
{
    Parts &p = *parts_;
    TimerService::Install(&p.clock);
    p.game = std::make_unique<CMj>();
    p.game->fetchavatars = 0; // the records' picture addresses lead anywhere
    auto s = std::make_unique<MemorySocket>();
    p.socket = s.get();
    p.link = std::make_unique<TDataModule1>(std::move(s));
    p.sink.game = p.game.get();
    p.link->SetGame(&p.sink);
    p.game->netlink = p.link.get();
    p.game->shell = &p.shell;
}

RecordDispatch::~RecordDispatch()
{
    parts_->game->netlink = nullptr;
    parts_->game->shell = nullptr;
    parts_->link.reset();
    parts_->game.reset();
    TimerService::Install(nullptr);
}

std::string RecordDispatch::Run(const uint8_t *data, size_t size)
{
    Parts &h = *parts_;
    if (size == 0)
        return {};
    Pieces pieces(data[0]);
    const uint8_t *stream = data + 1;
    size_t n = size - 1;
    h.sink.stream = stream;
    h.sink.size = n;
    h.sink.offset = 0;
    h.sink.failure.clear();
    h.sink.records = 0;
    h.sink.broken.clear();
    h.shell.failure.clear();
    h.socket->SetReadChunk(data[0] & 0x80 ? 1 + data[0] % 200 : 0);

    GameLinkTarget target;
    target.host = "127.0.0.1";
    target.account = "alice"; // the sessions' own account
    h.link->OpenGameLink(target);
    h.socket->Accept();
    h.game->NetStart(); // as the login's answer starts online play
    for (size_t at = 0; at < n && h.link->GameLinkConnected();) {
        size_t piece = std::min(pieces.Next(), n - at);
        h.socket->Feed(stream + at, piece);
        h.socket->DeliverQueued(); // the rest of a long piece, slice by slice
        // Records held behind an animation are taken once it has played.
        while (h.game->Holding() && PlayHeldRecords(*h.game, h.clock))
            h.socket->DeliverQueued();
        at += piece;
    }
    std::string failure = h.sink.failure;
    if (failure.empty() && h.sink.offset != n / GameMsg::kSize * GameMsg::kSize)
        failure = "handed on " + std::to_string(h.sink.offset) + " bytes of " + std::to_string(n);
    if (failure.empty() && h.link->CarryCount() != static_cast<int>(n % GameMsg::kSize))
        failure = "a carry of " + std::to_string(h.link->CarryCount()) + " bytes";
    h.socket->ServerCloses();
    if (failure.empty() && h.link->CarryCount() != 0)
        failure = "the carry outlived the link";
    if (failure.empty())
        failure = h.sink.broken;
    if (failure.empty())
        failure = h.shell.failure;
    h.socket->ClearWritten();
    return failure;
}

std::string ProxyReplyInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return {};
    bool http = data[0] & 1;
    CProxySock proxy;
    proxy.SetType(http ? CProxySock::TYPE_HTTP : CProxySock::TYPE_SOCKS5);
    if (data[0] & 2)
        proxy.SetAuth("bob", "pw");
    proxy.SetDestination("127.0.0.1", 1982);
    MemorySocket socket;
    socket.Open("proxy", 1080);
    socket.Accept();
    if (proxy.OnConnect(socket))
        return "the handshake ended before the proxy said anything";

    Pieces pieces(data[0] >> 2);
    const uint8_t *reply = data + 1;
    size_t n = size - 1, fed = 0;
    bool finished = false;
    while (fed < n && !finished) {
        size_t piece = std::min(pieces.Next() % 64 + 1, n - fed);
        socket.Feed(reply + fed, piece);
        fed += piece;
        finished = proxy.OnRead(socket);
    }
    size_t consumed = Consumed(socket, fed);
    if (!finished && consumed != fed)
        return "waits for more with " + std::to_string(fed - consumed) + " bytes unread";
    if (http && consumed > CProxySock::kHttpReplyCap)
        return "an HTTP header of " + std::to_string(consumed) + " bytes";
    if (finished && proxy.GetError() == CProxySock::ERROR_NONE) {
        if (http ? !HttpSuccess(reply, consumed) : Socks5SuccessLength(reply, n) != consumed)
            return "a tunnel opened on " + std::to_string(consumed) + " bytes that do not open one";
    }
    return {};
}

namespace {

const char *const kSoundGame = "Save\\fuzz-sound.cmj";
const char *const kInputGame = "Save\\fuzz-input.cmj";

std::string Saved(const CMj &mj)
{
    const auto bytes = mj.Snapshot().Bytes();
    return std::string(bytes.begin(), bytes.end());
}

// One step as the game goes on by itself: seat 0 acts when it is asked to, else time passes, and a
// hand's end is followed by the next hand.
void Step(CMj &mj, TestClock &clock)
{
    if (mj.gamestatus == 2)
        mj.NextHand();
    else if (!LocalRobot::Act(mj))
        clock.Step();
}

} // namespace

struct SavedGameLoad::Parts {
    QuietEnds quiet; // first in, last out
    TestClock clock;
    std::unique_ptr<CMj> game;
    int played = 0;
};

SavedGameLoad::SavedGameLoad() : parts_(std::make_unique<Parts>())
{
    Parts &p = *parts_;
    TimerService::Install(&p.clock);
    Random::Pin(29);
    p.game = std::make_unique<CMj>();
    CMj &mj = *p.game;
    mj.SetAnimateOn(false);
    mj.NewLocalGame();
    for (int steps = 0; !(mj.gamestatus == 1 && mj.SaveAllowed() && mj.mjindex >= 70); steps++) {
        if (steps > 200000)
            throw std::runtime_error("the game never reached a moment to save");
        Step(mj, p.clock);
    }
    if (!mj.SaveGame(kSoundGame))
        throw std::runtime_error("the sound game could not be saved");
}

SavedGameLoad::~SavedGameLoad()
{
    parts_->game.reset();
    Random::Unpin();
    TimerService::Install(nullptr);
}

std::string SavedGameLoad::Run(const uint8_t *data, size_t size)
{
    CMj &mj = *parts_->game;
    if (!mj.LoadGame(kSoundGame))
        return "the sound game no longer loads";
    const std::string before = Saved(mj);
    std::ofstream(Paths::Resolve(kInputGame), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    if (!mj.LoadGame(kInputGame))
        return Saved(mj) == before ? std::string() : "a refused file changed the table";

    parts_->played++;
    TableAudit audit = TableAudit::Of(mj);
    for (int step = 0;; step++) {
        const std::vector<std::string> broken = audit.Check(mj);
        if (!broken.empty())
            return "after step " + std::to_string(step) + ": " + broken[0];
        if (mj.SaveAllowed()) {
            const auto bytes = mj.Snapshot().Bytes();
            SavedGame again;
            if (!SavedGame::Parse(bytes.data(), bytes.size(), again))
                return "after step " + std::to_string(step) + ": the table saves as a file that is refused";
        }
        if (step == kSteps)
            return {};
        const bool handOver = mj.gamestatus == 2;
        Step(mj, parts_->clock);
        if (handOver)
            audit = TableAudit::Of(mj); // a new game after a bankruptcy starts its own scores
    }
}

std::string SavedGameLoad::SoundBytes() const
{
    std::ifstream in(Paths::Resolve(kSoundGame), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

int SavedGameLoad::Played() const
{
    return parts_->played;
}
