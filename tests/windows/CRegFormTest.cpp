// The registration screen: its checks, its two choices, its keys, and what a valid form opens.
#include "tests/windows/OnlineFixture.h"

#include <cstring>

namespace {

class Register : public OnlineScreenTest {
protected:
    void SetUp() override
    {
        OnlineScreenTest::SetUp();
        WriteProgramFile("Network.cfg", "[loginserver]\r\nregip=10.3.3.3\r\n");
        Start();
        regform->Show();
    }
    static void Fill(const std::string &account, const std::string &password, const std::string &confirm,
                     const std::string &email)
    {
        const std::string *texts[] = {&account, &password, &confirm, &email};
        for (int i = 0; i < CRegForm::EDITS; ++i)
            regform->edits[i]->text = *texts[i];
    }
    // The edit with the focus, which must be the current one too.
    static int Focused()
    {
        for (int i = 0; i < CRegForm::EDITS; ++i)
            if (regform->edits[i]->focused)
                return regform->curedit == regform->edits[i].get() ? i : -2;
        return -1;
    }
    static void ClickChoice(int i)
    {
        regform->MouseDown(regform->choice[i]->x + 10, regform->choice[i]->y + 10);
    }
};

TEST_F(Register, ChecksRunInOrderAndPutTheFocusOnTheFieldAtFault)
{
    const std::string invalid = "您的电子邮件地址无效,请重新填写. 如player@example.org";
    const struct {
        std::string account, password, confirm, email, message;
        int focus;
    } refused[] = {
        {"abc", "abcd", "abcd", "a@b.c", "玩家帐户必须为4-12个字符", CRegForm::ACCOUNT},
        {"abcdefghijklm", "abcd", "abcd", "a@b.c", "玩家帐户必须为4-12个字符", CRegForm::ACCOUNT},
        {"user1", "abcdefghijklm", "other", "a@b.c", "密码必须在4-12个字符之间", CRegForm::PASSWORD},
        {"user1", "abcd", "abce", "a@b.c", "密码不一致", CRegForm::PASSWORD},
        {"user1", "abcd", "abcd", "ab@c", invalid, CRegForm::EMAIL},
        // The second byte of this character is '@', which is no at sign.
        {"user1", "abcd", "abcd", "\x81\x40.org", invalid, CRegForm::EMAIL},
        {"user1", "abcd", "abcd", "abcdefghij.klmnopqrst@example.o", "电子邮件地址不能超过30个字符", CRegForm::EMAIL},
    };
    for (const auto &r : refused) {
        Fill(r.account, r.password, r.confirm, r.email);
        Click(*regform, CRegForm::SUBMIT);
        EXPECT_EQ(Message(), r.message);
        EXPECT_EQ(Focused(), r.focus) << r.message;
    }
    EXPECT_TRUE(link.regs.empty());
}

TEST_F(Register, AValidFormOpensTheRegistrationServerDirectlyOrThroughTheLoginsProxy)
{
    Fill("user1", "abcdefghijkl", "abcdefghijkl", "a.b@c"); // a dot before the at sign is a dot
    Click(*regform, CRegForm::SUBMIT);
    EXPECT_EQ(Message(), "");
    ASSERT_EQ(link.regs.size(), 1u);
    EXPECT_EQ(link.regs[0].host + ":" + std::to_string(link.regs[0].port), "10.3.3.3:3891");
    EXPECT_EQ(link.regs[0].proxy.kind, ProxyRoute::NONE);
    EXPECT_EQ(std::memcmp(link.regs[0].request.bytes + RegRequest::kPassword, "abcdefghijkl", 12), 0);
    EXPECT_EQ(regform->status.text, "正在连接到注册服务器...");
    EXPECT_TRUE(regform->status.visible && clock.IsRunning(CRegForm::TIMER_REGISTER));
    EXPECT_FALSE(Enabled(*regform, CRegForm::SUBMIT) || Enabled(*regform, CRegForm::RETURN));

    regform->Release();
    loginform->proxy = {1, "10.4.4.4", 1080, 0, 0, "", ""};
    ClickChoice(1);
    // An error told while the link opens finds the screen waiting already, and frees it for good.
    link.onOpen = [] { regform->Release(); };
    Click(*regform, CRegForm::SUBMIT);
    ASSERT_EQ(link.regs.size(), 2u);
    const RegLinkTarget &proxied = link.regs[1];
    EXPECT_EQ(proxied.proxy.kind, ProxyRoute::SOCKS5);
    EXPECT_EQ(proxied.proxy.host + ">" + proxied.host + ":" + std::to_string(proxied.port), "10.4.4.4>10.3.3.3:3891");
    EXPECT_EQ(proxied.request.bytes[RegRequest::kFirstChoice], 0);
    EXPECT_FALSE(!Enabled(*regform, CRegForm::SUBMIT) || clock.IsRunning(CRegForm::TIMER_REGISTER));
}

TEST_F(Register, TheTwoChoicesStayOppositeAndTabGoesRoundTheFourEdits)
{
    for (int i : {0, 1, 0, 0}) {
        ClickChoice(i);
        EXPECT_NE(regform->choice[0]->checked, regform->choice[1]->checked);
    }
    EXPECT_TRUE(regform->choice[0]->checked);

    for (int expected : {CRegForm::PASSWORD, CRegForm::CONFIRM, CRegForm::EMAIL, CRegForm::ACCOUNT}) {
        regform->KeyPress(9);
        EXPECT_EQ(Focused(), expected);
    }
    regform->KeyPress('u');
    EXPECT_EQ(regform->edits[CRegForm::ACCOUNT]->text + regform->edits[CRegForm::PASSWORD]->text, "u");

    // Back to the login screen as it was left: its password stays.
    loginform->passwordedit->text = "secret";
    Click(*regform, CRegForm::RETURN);
    EXPECT_EQ(curscreen, SCREEN_LOGIN);
    EXPECT_EQ(loginform->passwordedit->text, "secret");
}

} // namespace
