#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "tests/table/TableFixture.h"
#include "windows/CDxChatWnd.h"
#include "windows/CHelpForm.h"
#include "windows/CInputNameDlg.h"
#include "windows/CLoginForm.h"
#include "windows/CNetRoom.h"
#include "windows/CSetForm.h"

#include <csignal>
#include <cstring>
#include <functional>
#include <linux/capability.h>
#include <sys/ptrace.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/user.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// How a child process that wrote a file ended: killed at the stop asked for, or not; and whether its
// rename had returned by then.
struct KillPoint {
    bool killed = false;
    bool renamed = false;
};

// Runs write in a child process stopped at every entry to and exit from a system call, and kills it
// (SIGKILL) at stop number `at`: every step of the write, from reading the old file to syncing the
// folder, is a place where the program may die.
KillPoint KillAt(int at, const std::function<void()> &write)
{
    const pid_t child = fork();
    if (child == 0) {
        ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        raise(SIGSTOP);
        write();
        _exit(0);
    }
    KillPoint point;
    int status = 0;
    waitpid(child, &status, 0);
    ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
    bool entering = true;
    int stops = 0, signal = 0;
    for (;;) {
        ptrace(PTRACE_SYSCALL, child, nullptr, signal);
        waitpid(child, &status, 0);
        signal = 0;
        if (WIFEXITED(status) || WIFSIGNALED(status))
            return point;
        if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
            signal = WSTOPSIG(status); // the child's own, passed on
            continue;
        }
        user_regs_struct regs{};
        ptrace(PTRACE_GETREGS, child, nullptr, &regs);
        const long call = static_cast<long>(regs.orig_rax);
        if (!entering && (call == SYS_rename || call == SYS_renameat || call == SYS_renameat2))
            point.renamed = static_cast<long>(regs.rax) == 0;
        entering = !entering;
        if (++stops == at) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            point.killed = true;
            return point;
        }
    }
}

using CMjSettings = TableFixture;

// The server list: two default rows without a file, each row's keys with their own defaults (section
// names in any case), never more rows than the list holds, and fields cut to their size.
TEST_F(CMjSettings, ServerListRowsTakeTheirOwnKeysAndDefaultsWithinTheListsBounds)
{
    auto read = [&](const std::string &ini) {
        mj.reset();
        folder.Write("Dirconfig.ini", ini);
        Make();
    };
    Make();
    ASSERT_EQ(servercount, 2);
    EXPECT_STREQ(serverlist[0].name, "电信服务器");
    EXPECT_STREQ(serverlist[1].name, "网通服务器");
    EXPECT_EQ(serverlist[0].port, 1982);
    EXPECT_GT(std::strlen(serverlist[1].host), 0u);
    EXPECT_EQ(serverindex, 0);

    read("[Public]\r\nServerNum=3\r\n[DIRSERVER0]\r\nhost=a.example\r\nport=2000\r\n[dirserver2]\r\nname=Third\r\n");
    ASSERT_EQ(servercount, 3);
    EXPECT_STREQ(serverlist[0].host, "a.example");
    EXPECT_EQ(serverlist[0].port, 2000);
    EXPECT_STREQ(serverlist[0].name, "电信服务器");
    EXPECT_STREQ(serverlist[1].name, "网通服务器");
    EXPECT_STREQ(serverlist[2].name, "Third");
    EXPECT_EQ(serverlist[2].port, 1982);

    read("[Public]\nServerNum=0\n");
    EXPECT_EQ(servercount, 0);
    read("[Public]\nServerNum=7\n[DIRSERVER6]\nname=Seventh\n");
    EXPECT_EQ(servercount, MAX_SERVERS); // five rows, never past the list
    for (int i = 0; i < MAX_SERVERS; i++)
        EXPECT_NE(std::string(serverlist[i].name), "Seventh");

    // A bare CR ends the host: nothing after it can reach a proxy's request.
    read("[Public]\nServerNum=1\n[DIRSERVER0]\nhost=a.example\rHost: b.example\n");
    EXPECT_STREQ(serverlist[0].host, "a.example");

    const std::string longName(80, 'n');
    read("[Public]\nServerNum=1\n[DIRSERVER0]\nname=" + longName + "\nhost=" + longName + "\n");
    EXPECT_EQ(std::strlen(serverlist[0].name), 49u);
    EXPECT_EQ(std::strlen(serverlist[0].host), 49u);
}

TEST_F(CMjSettings, OptionsAreReadOnlyAsTheFileSays)
{
    folder.Write("SET.ini", "[Option]\nSound=0\nMusic=5\nShowTips=0\nAnimate=0\nYuYin=2\n[Window]\nHelp=2\n");
    CMj &m = Make();
    EXPECT_FALSE(m.IsSoundOn());
    EXPECT_TRUE(m.IsMusicOn());
    EXPECT_EQ(m.ShowTips, 0);
    EXPECT_FALSE(m.IsAnimateOn());
    EXPECT_EQ(m.yuyin, 0); // only exactly 1 turns voices on
    EXPECT_FALSE(showhelp); // anything but 1 clears the help flag
    mj.reset(); // before the file is written: the game object writes its settings as it ends

    folder.Write("SET.ini", "[Option]\nYuYin=1\n[Window]\nHelp=1\n");
    CMj &n = Make();
    EXPECT_EQ(n.yuyin, 1);
    EXPECT_TRUE(showhelp);
    EXPECT_TRUE(n.IsSoundOn());
}

TEST_F(CMjSettings, ANewSettingsFileIsCreatedWithItsSectionsAndEveryOption)
{
    CMj &m = Make();
    m.SetAnimateOn(false);
    m.player[1].language = 1;
    m.player[2].language = 0;
    std::snprintf(m.player[0].playername, sizeof m.player[0].playername, "%s", "阿明");
    mj.reset(); // the settings are written when the game object ends

    std::string text = folder.Read("SET.ini");
    for (const char *header : {"[PlayerInfo]", "[Rull]", "[Skin]", "[Option]", "[Volume]", "[UserSet]", "[Avatar]"})
        EXPECT_NE(text.find(header), std::string::npos) << header;
    EXPECT_EQ(Profile::ReadInt("SET.ini", "Option", "Animate", -1), 0);
    EXPECT_EQ(Profile::ReadInt("SET.ini", "Option", "Sound", -1), 1);
    EXPECT_EQ(Profile::ReadInt("SET.ini", "Window", "FullScreen", -1), 0);
    char name[32];
    Profile::ReadString("SET.ini", "PlayerInfo", "SPlayerName", "", name, sizeof name);
    EXPECT_STREQ(name, "阿明");
    Profile::ReadString("SET.ini", "PlayerInfo", "EPlayerName", "", name, sizeof name);
    EXPECT_STREQ(name, "小强"); // east is seat 1
    EXPECT_EQ(Profile::ReadInt("SET.ini", "PlayerInfo", "SPlayerSex", -1), 1);
    EXPECT_EQ(Profile::ReadInt("SET.ini", "PlayerInfo", "EPlayerSex", -1), 0);
    // Language 1 writes the plain key; anything else the key with the trailing x.
    for (auto [key, value] : {std::pair{"EPlayerLaguage", 1}, {"EPlayerLaguagex", -1}, {"NPlayerLaguagex", 0}, {"NPlayerLaguage", -1}})
        EXPECT_EQ(Profile::ReadInt("SET.ini", "PlayerInfo", key, -1), value) << key;

    // Read back by the next game object.
    CMj &again = Make();
    EXPECT_FALSE(again.IsAnimateOn());

    // A full twenty-byte name is saved without reading past it.
    std::memset(again.player[0].playername, 'A', sizeof again.player[0].playername); // no terminator
    mj.reset();
    Profile::ReadString("SET.ini", "PlayerInfo", "SPlayerName", "", name, sizeof name);
    EXPECT_EQ(std::string(name), std::string(20, 'A'));
}

TEST_F(CMjSettings, ChatLinesFillTheReadyMadeLinesWindowInFileOrderFromItsFirstPage)
{
    std::string chat;
    for (int i = 0; i < 12; i++)
        chat += "第" + std::to_string(i) + "行\r\n";
    folder.Write("Chat.txt", chat);
    CMj &m = Make();
    const CDxGameChatWnd &lines = *m.chatwnd[1];
    ASSERT_GT(lines.pages.Count(), 1);
    EXPECT_EQ(lines.curpage, 0);
    std::vector<std::string> read;
    for (int page = 0; page < lines.pages.Count(); page++)
        for (const CChatLine &line : lines.pages.GetPage(page)->list.lines) {
            EXPECT_EQ(line.color, 0xFFFFFFu);
            read.push_back(line.text);
        }
    ASSERT_EQ(read.size(), 12u);
    EXPECT_EQ(read.front(), "第0行");
    EXPECT_EQ(read.back(), "第11行");
    EXPECT_EQ(m.chatwnd[0]->pages.Count(), 0);
}

// A kill at any step of a settings write leaves the old file or the new one, byte for byte: never an
// empty or a partial one, nor one with only some of the changes. The exit writes every screen's
// settings in that one write. The same writer keeps the remembered account in Network.cfg.
TEST_F(CMjSettings, AKillAtAnyStepOfASettingsWriteLeavesTheOldOrTheNewFileWhole)
{
    CMj &m = Make();
    m.SetAnimateOn(false);
    m.player[0].SetName("阿明");
    setform->slider[CSetForm::PACE]->position = 7;
    helpform->checkbox->checked = 0;
    loginform->proxy.address = "proxy.example";
    m.lobby->roomid = 9;
    const struct {
        const char *file;
        std::string old;
        std::function<void()> write;
    } cases[] = {
        {"SET.ini", "; kept\r\n[PlayerInfo]\r\nSPlayerName=old\r\n[Option]\r\nAnimate=1\r\nSound=1\r\n[Proxy]\r\nPassWord=pw\r\n",
         [&] { m.SaveSetting("SET.ini"); }},
        {"Network.cfg", "[loginserver]\r\nip=game.example\r\nregip=reg.example\r\nname=olduser\r\n",
         [] { Profile::WriteString("Network.cfg", "loginserver", "name", "newuser"); }},
    };
    for (const auto &c : cases) {
        folder.Write(c.file, c.old);
        c.write();
        const std::string written = folder.Read(c.file);
        ASSERT_NE(written, c.old);
        struct stat st {};
        ASSERT_EQ(stat((folder.Path() / c.file).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u) << c.file << " may hold a password";

        int olds = 0, news = 0;
        for (int at = 1;; at++) {
            ASSERT_LT(at, 5000) << "the write never ended";
            folder.Write(c.file, c.old);
            const KillPoint point = KillAt(at, c.write);
            const std::string now = folder.Read(c.file);
            if (!point.killed) {
                EXPECT_EQ(now, written) << c.file << ": the write that ran to its end";
                break;
            }
            EXPECT_EQ(now, point.renamed ? written : c.old) << c.file << ": killed at stop " << at;
            (point.renamed ? news : olds)++;
        }
        // Kills before the rename (the temporary file being made, written, synced) and after it.
        EXPECT_GE(olds, 6) << c.file;
        EXPECT_GE(news, 2) << c.file;
    }

    folder.Write("SET.ini", cases[0].old);
    m.SaveSetting("SET.ini");
    const std::string whole = folder.Read("SET.ini");
    for (const char *kept : {"Speed=7", "ShowHelp=0", "Address=proxy.example", "RoomID=9", "Animate=0", "Style=0"})
        EXPECT_NE(whole.find(kept), std::string::npos) << kept << " is not in the one write:\n" << whole;
    folder.Write("SET.ini", cases[0].old);
    mj.reset();
    EXPECT_EQ(folder.Read("SET.ini"), whole) << "the exit writes that one file and nothing after it";
}

// Root writes anywhere; without its override this thread writes only where its user may.
void Override(bool on)
{
    __user_cap_header_struct head{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct caps[2] = {};
    syscall(SYS_capget, &head, caps);
    const uint32_t bit = 1u << CAP_DAC_OVERRIDE;
    caps[0].effective = on ? caps[0].effective | (caps[0].permitted & bit) : caps[0].effective & ~bit;
    syscall(SYS_capset, &head, caps);
}

// Settings that cannot be written are lost, but never without a word: the player is told which file,
// once, however many writes fail after it.
TEST_F(CMjSettings, AProgramFolderThatCannotBeWrittenIsToldOnce)
{
    std::vector<MessageBox::Box> boxes;
    MessageBox::SetHandler([&](const MessageBox::Box &box) {
        boxes.push_back(box);
        return static_cast<int>(MessageBox::ResultOk);
    });
    Make();
    chmod(folder.Path().c_str(), 0555);
    Override(false);
    inputnamedlg->KeyPress(13); // Enter starts a game, which keeps the seats' pictures
    EXPECT_EQ(boxes.size(), 1u) << "the write as the game started";
    mj.reset();
    Override(true);
    chmod(folder.Path().c_str(), 0755);
    MessageBox::SetHandler(nullptr);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find((folder.Path() / "SET.ini").string()), std::string::npos) << boxes[0].text;
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "SET.ini"));
}

} // namespace
