// Users' pictures: which announcements are fetched, and the thread that fetches them from a web
// server inside the test.
#include "platform/FileMd5.h"
#include "screen/GifSurface.h"
#include "table/THttpGetThread.h"
#include "tests/kit/StandingLink.h"
#include "tests/support/HeapPeak.h"
#include "tests/support/HttpServer.h"
#include "tests/table/TableFixture.h"

#include <QElapsedTimer>
#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <openssl/evp.h>
#include <thread>
#include <tuple>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string Md5Of(const std::string &bytes)
{
    ScratchFolder scratch;
    scratch.Write("f", bytes);
    return FileMd5Hex((scratch.Path() / "f").string());
}

std::string Lower(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::tolower(c));
    return s;
}

// Bytes that differ from one picture to the next.
std::string Body(char seed, size_t size)
{
    std::string b(size, '\0');
    for (size_t i = 0; i < size; ++i)
        b[i] = static_cast<char>(seed + i * 13 + i / 97);
    return b;
}

bool WaitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return done();
}

// Files that a download left in a folder under a temporary name.
int Leftovers(const fs::path &folder)
{
    int n = 0;
    for (const auto &entry : fs::directory_iterator(folder))
        n += entry.path().extension() == ".tmp";
    return n;
}

const std::string kMd5 = "0123456789ABCDEF0123456789ABCDEF";

class AvatarRecords : public TableFixture {
protected:
    void SetUp() override
    {
        TableFixture::SetUp();
        fs::create_directory(folder.Path() / "Avatar");
        link.account = "me";
        Make().netlink = &link;
        mj->myaccount = "me";
    }
    void Announce(bool isdefault, int sex, int32_t id, const std::string &name, const std::string &md5)
    {
        GameMsg m(SC_AVATAR_INFO);
        m.Put(1, isdefault ? 1 : 2);
        m.Put(2, static_cast<uint8_t>(sex));
        m.PutI32(4, id);
        m.PutText({8, 20}, name);
        m.PutText({28, 32}, md5);
        m.PutText({61, 60}, "pictures.example.org/" + std::to_string(id));
        mj->OnGameMsg(m);
    }
    StandingLink link;
};

TEST_F(AvatarRecords, AUserIsKnownOncePerConnectionAndFetchedWhenFirstShown)
{
    Announce(false, 1, 7, "bob", kMd5);
    Announce(false, 1, 7, "bob", "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF");
    ASSERT_NE(mj->knownavatars.ById(7), nullptr);
    EXPECT_EQ(mj->knownavatars.ById(7)->md5, kMd5) << "the first announcement holds";
    EXPECT_EQ(mj->knownavatars.ById(7)->address, "pictures.example.org/7");
    EXPECT_EQ(mj->avatarqueue.Count(), 0) << "another user's picture waits until it is shown";

    EXPECT_FALSE(mj->CheckAvatar(8)) << "nobody announced";
    EXPECT_FALSE(mj->CheckAvatar(7));
    EXPECT_FALSE(mj->CheckAvatar(7));
    EXPECT_EQ(mj->avatarqueue.Count(), 1) << "asked for once";
    LoadAvatar row;
    ASSERT_TRUE(mj->avatarqueue.TakeNewest(row));
    EXPECT_EQ(row.path, (folder.Path() / "Avatar" / "7.gif").string());

    // A file holding exactly the announced picture is current; one differing in case only is not.
    folder.Write("Avatar/7.gif", "GIF89a a picture");
    GetAvatar &bob = *mj->knownavatars.ById(7);
    bob.md5 = Md5Of("GIF89a a picture");
    EXPECT_TRUE(mj->CheckAvatar(7));
    bob.md5 = Lower(bob.md5);
    EXPECT_FALSE(mj->CheckAvatar(7));

    // The next login announces and fetches again; the own picture is fetched at once.
    mj->OnDisconnect();
    EXPECT_TRUE(mj->knownavatars.ById(7) == nullptr && mj->requestedavatars.empty());
    Announce(false, 1, 7, "bob", kMd5);
    EXPECT_FALSE(mj->CheckAvatar(7));
    Announce(false, 1, 42, "me", kMd5);
    EXPECT_EQ(mj->avatarqueue.Count(), 2);
}

// A file larger than any picture the game loads is never read for its digest: not current, whatever
// digest it has, and fetched again.
TEST_F(AvatarRecords, AFileLargerThanAnyPictureIsNotCurrentAndNotRead)
{
    const std::string path = CMj::AvatarPath(7);
    {
        std::ofstream huge(path, std::ios::binary);
        huge.seekp(static_cast<std::streamoff>(kMaxGifBytes));
        huge.put('x');
    }
    const std::string md5 = FileMd5Hex(path);
    Announce(false, 1, 7, "bob", md5);
    EXPECT_FALSE(mj->CheckAvatar(7));
    EXPECT_EQ(mj->avatarqueue.Count(), 1);
    EXPECT_EQ(mj->AvatarFile(7), "");
    fs::resize_file(path, kMaxGifBytes);
    mj->knownavatars.ById(7)->md5 = FileMd5Hex(path);
    EXPECT_TRUE(mj->CheckAvatar(7)) << "a file of the largest size is still read";
}

TEST_F(AvatarRecords, AUserWhoFoundTheQueueFullIsNotAskedForAgain)
{
    for (int id = 1; id <= 100; ++id) {
        Announce(false, 0, id, "user" + std::to_string(id), kMd5);
        EXPECT_FALSE(mj->CheckAvatar(id));
    }
    EXPECT_EQ(mj->avatarqueue.Count(), AvatarQueue::kUsable);
    EXPECT_EQ(mj->requestedavatars.size(), 100u);
    LoadAvatar row;
    ASSERT_TRUE(mj->avatarqueue.TakeNewest(row));
    EXPECT_EQ(row.id, 99) << "the newest row first";
    EXPECT_FALSE(mj->CheckAvatar(100));
    EXPECT_EQ(mj->avatarqueue.Count(), AvatarQueue::kUsable - 1);
}

TEST_F(AvatarRecords, ADefaultPictureIsFetchedWheneverItDiffers)
{
    folder.Write("female.gif", "the female picture");
    Announce(true, 0, 0, "", Md5Of("the female picture"));
    EXPECT_EQ(mj->avatarqueue.Count(), 0);
    Announce(true, 1, 0, "", kMd5);
    Announce(true, 1, 0, "", kMd5);
    EXPECT_EQ(mj->avatarqueue.Count(), 2);
    EXPECT_TRUE(mj->knownavatars.ById(0) == nullptr && mj->requestedavatars.empty());
    LoadAvatar row;
    ASSERT_TRUE(mj->avatarqueue.TakeNewest(row));
    EXPECT_EQ(row.path, (folder.Path() / "male.gif").string());
}

// The game object stops its thread before anything the thread uses goes: the download in flight
// (twenty seconds of it) is aborted, not waited for, and leaves nothing.
TEST_F(AvatarRecords, LeavingTheGameDuringASlowDownloadStopsIt)
{
    HttpServer server;
    server.Serve("/slow.gif", Body('s', 1 << 20), HttpServer::Mode::Slow);
    mj->NetStart();
    mj->avatarqueue.Append({5, "slow", kMd5, server.Address("/slow.gif"), CMj::AvatarPath(5)});
    ASSERT_TRUE(WaitFor([&] { return !server.Requests().empty(); }, 5000));
    const auto start = Clock::now();
    mj.reset();
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(Leftovers(folder.Path() / "Avatar"), 0);
    EXPECT_FALSE(fs::exists(CMj::AvatarPath(5)));
}

// The download thread on its own queue, against the test's web server.
class AvatarThread : public testing::Test {
protected:
    void SetUp() override { fs::create_directory(folder.Path() / "Avatar"); }
    std::string Target(int id) const { return (folder.Path() / "Avatar" / (std::to_string(id) + ".gif")).string(); }
    void Queue(int id, const std::string &path, const std::string &md5)
    {
        queue.Append({id, "user" + std::to_string(id), md5, server.Address(path), Target(id)});
    }

    ScratchFolder folder;
    HttpServer server;
    AvatarQueue queue;
};

TEST_F(AvatarThread, NewestFirstAndOnlyTheAnnouncedPictureLands)
{
    const std::string body = Body('c', 4000), md5 = Md5Of(body);
    using enum HttpServer::Mode;
    const std::tuple<const char *, HttpServer::Mode> served[] = {{"/good.gif", Whole}, {"/lower.gif", Whole}, {"/short.gif", Short}, {"/hang.gif", Hang}};
    for (auto [path, mode] : served)
        server.Serve(path, body, mode);
    for (int id = 1; id <= 5; ++id) // the second row names the picture in lower case
        Queue(id, id == 5 ? "/missing.gif" : std::get<0>(served[id - 1]), id == 2 ? Lower(md5) : md5);
    // A link planted at a temporary name is replaced, never written through.
    folder.Write("elsewhere", "kept");
    fs::create_symlink(folder.Path() / "elsewhere", folder.Path() / "Avatar" / "1.tmp");
    QElapsedTimer clock;
    clock.start();
    THttpGetThread thread(queue, 300);
    ASSERT_TRUE(WaitFor([&] { return fs::exists(Target(1)); }, 5000));
    EXPECT_LT(clock.elapsed(), 3000) << "the hung server is given up after its time-out";
    EXPECT_EQ(folder.Read("elsewhere"), "kept");
    EXPECT_EQ(server.Requests(),
              (std::vector<std::string>{"/missing.gif", "/hang.gif", "/short.gif", "/lower.gif", "/good.gif"}));
    EXPECT_EQ(folder.Read("Avatar/1.gif"), body);
    for (int id = 2; id <= 5; ++id)
        EXPECT_FALSE(fs::exists(Target(id))) << id;
    EXPECT_EQ(Leftovers(folder.Path() / "Avatar"), 0);
}

// A server that sends more than any picture, announced with a digest that matches, or that never stops
// sending, fills neither disk nor memory: a declared length too large is refused before the body,
// an endless body is cut at the largest picture, and nothing is left.
TEST_F(AvatarThread, NothingLargerThanThePictureLoaderReadsIsKept)
{
    const std::string piece = Body('h', 1 << 20);
    constexpr uint64_t kPieces = 100;
    std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX *)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    EVP_DigestInit_ex(ctx.get(), EVP_md5(), nullptr);
    for (uint64_t k = 0; k < kPieces; ++k)
        EVP_DigestUpdate(ctx.get(), piece.data(), piece.size());
    uint8_t digest[EVP_MAX_MD_SIZE];
    unsigned size = 0;
    EVP_DigestFinal_ex(ctx.get(), digest, &size);
    server.Serve("/huge.gif", piece, HttpServer::Mode::Declared, kPieces);
    server.Serve("/endless.gif", piece, HttpServer::Mode::Endless);
    server.Serve("/again.gif", piece, HttpServer::Mode::Endless);
    server.SetMark(kMaxGifBytes);
    Queue(1, "/huge.gif", BytesToHex(digest, size));
    Queue(2, "/endless.gif", kMd5);
    HeapPeak heap;
    {
        THttpGetThread thread(queue);
        ASSERT_TRUE(WaitFor([&] { return server.Answered("/huge.gif") && queue.Count() == 0; }, 60000));
        // Once the thread has waited for work, it serves a new row as well as the first.
        Queue(3, "/again.gif", kMd5);
        ASSERT_TRUE(WaitFor([&] { return server.Answered("/again.gif").has_value(); }, 60000));
    }
    EXPECT_LT(heap.Growth(), int64_t{64} << 20);
    EXPECT_EQ(server.Requests(), (std::vector<std::string>{"/endless.gif", "/huge.gif", "/again.gif"}));
    EXPECT_TRUE(server.Answered("/huge.gif")->cut);
    EXPECT_EQ(server.Answered("/huge.gif")->sent, 0u) << "refused by its length alone";
    for (const char *path : {"/endless.gif", "/again.gif"}) {
        const HttpServer::Outcome endless = *server.Answered(path);
        EXPECT_TRUE(endless.cut) << path;
        EXPECT_GE(endless.cutPastMark, 0) << path;
        EXPECT_LT(endless.cutPastMark, 1.0) << path << ": the connection is closed at the largest picture";
    }
    EXPECT_TRUE(fs::is_empty(folder.Path() / "Avatar"));
}

// A picture that trickles in holds the thread no longer than its deadline: it is dropped, and the
// next picture in the queue arrives.
TEST_F(AvatarThread, ATricklingPictureIsDroppedAtItsDeadlineAndTheNextOneArrives)
{
    const std::string good = Body('g', 4000), slow = Body('t', 1 << 20); // twenty seconds of trickle
    server.Serve("/good.gif", good);
    server.Serve("/slow.gif", slow, HttpServer::Mode::Slow);
    Queue(1, "/good.gif", Md5Of(good));
    Queue(2, "/slow.gif", Md5Of(slow));
    THttpGetThread thread(queue, HttpGet::kTransferTimeoutMs, 1000);
    ASSERT_TRUE(WaitFor([&] { return fs::exists(Target(1)); }, 15000));
    EXPECT_EQ(server.Requests(), (std::vector<std::string>{"/slow.gif", "/good.gif"}));
    EXPECT_FALSE(fs::exists(Target(2)));
    EXPECT_EQ(Leftovers(folder.Path() / "Avatar"), 0);
}

TEST_F(AvatarThread, AReaderNeverSeesAHalfWrittenPicture)
{
    const std::string a = Body('x', 300000), b = Body('y', 300000);
    const std::string mda = Md5Of(a), mdb = Md5Of(b);
    server.Serve("/a.gif", a);
    server.Serve("/b.gif", b);
    for (int i = 0; i < 50; ++i)
        Queue(9, i % 2 ? "/b.gif" : "/a.gif", i % 2 ? mdb : mda);
    std::atomic<bool> done{false};
    int reads = 0, broken = 0;
    std::thread reader([&] {
        while (!done) {
            const std::string digest = FileMd5Hex(Target(9));
            reads += !digest.empty();
            broken += !digest.empty() && digest != mda && digest != mdb;
        }
    });
    {
        THttpGetThread thread(queue);
        WaitFor([&] { return server.Requests().size() == 50 && queue.Count() == 0; }, 20000);
        WaitFor([&] { return Leftovers(folder.Path() / "Avatar") == 0; }, 1000);
    }
    done = true;
    reader.join();
    EXPECT_EQ(server.Requests().size(), 50u);
    EXPECT_GT(reads, 50);
    EXPECT_EQ(broken, 0) << "of " << reads << " reads";
    EXPECT_EQ(FileMd5Hex(Target(9)), mda) << "the oldest row lands last";
}

} // namespace
