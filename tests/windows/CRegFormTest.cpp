// The registration screen: its checks, its two choices, its keys, and what a valid form opens.
#include "tests/windows/OnlineFixture.h"

#include <cstring>

namespace {

class Register : public OnlineScreenTest {
protected:
    void SetUp() override
    {
        OnlineScreenTest::SetUp();
        Start();
        regform->Show();
    }
    void Fill(const std::string &account, const std::string &password, const std::string &confirm,
              const std::string &email)
    {
        const std::string *texts[] = {&account, &password, &confirm, &email};
        for (int i = 0; i < CRegForm::EDITS; ++i)
            regform->edits[i]->text = *texts[i];
    }
    static int Focused()
    {
        for (int i = 0; i < CRegForm::EDITS; ++i)
            if (regform->edits[i]->focused)
                return regform->curedit == regform->edits[i].get() ? i : -2;
        return -1;
    }
    static void ClickChoice(int i)
    {
        const CBitCheckBox &box = *regform->choice[i];
        regform->MouseDown(box.x + 10, box.y + 10);
        regform->MouseUp(box.x + 10, box.y + 10);
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
        {"user1", "abcdefghijklm", "other", "a@b.c", "密码必须在4-12个字符之间", CRegForm::PASSWORD},
        {"user1", "abcd", "abce", "a@b.c", "密码不一致", CRegForm::PASSWORD},
        {"user1", "abcd", "abcd", "ab@c", invalid, CRegForm::EMAIL},
        // The second byte of this character is '@', which is no at sign.
        {"user1", "abcd", "abcd", "\x81\x40.org", invalid, CRegForm::EMAIL},
        {"user1", "abcd", "abcd", "abcdefghij.klmnopqrst@example.o", "电子邮件地址不能超过30个字符", CRegForm::EMAIL},
    };
    for (const auto &r : refused) {
        SCOPED_TRACE(r.account + "/" + r.password + "/" + r.email);
        Fill(r.account, r.password, r.confirm, r.email);
        Click(*regform, CRegForm::SUBMIT);
        EXPECT_EQ(Message(), r.message);
        EXPECT_EQ(Focused(), r.focus);
    }
    EXPECT_TRUE(link.regs.empty());
    // A dot before the at sign is a dot all the same.
    Fill("user1", "abcd", "abcd", "a.b@c");
    Click(*regform, CRegForm::SUBMIT);
    EXPECT_EQ(Message(), "");
    EXPECT_EQ(link.regs.size(), 1u);
}

TEST_F(Register, AValidFormOpensTheRegistrationServerDirectlyOrThroughTheLoginsProxy)
{
    WriteProgramFile("Network.cfg", "[loginserver]\r\nregip=10.3.3.3\r\n");
    Fill("user1", "abcdefghijkl", "abcdefghijkl", "someone@example.org");
    Click(*regform, CRegForm::SUBMIT);
    ASSERT_EQ(link.regs.size(), 1u);
    const RegLinkTarget &direct = link.regs[0];
    EXPECT_EQ(direct.host, "10.3.3.3");
    EXPECT_EQ(direct.port, 3891);
    EXPECT_EQ(direct.proxy.kind, ProxyRoute::NONE);
    EXPECT_EQ(std::memcmp(direct.request.bytes + RegRequest::kPassword, "abcdefghijkl", 12), 0);
    EXPECT_EQ(direct.request.bytes[RegRequest::kFirstChoice], 1);
    EXPECT_EQ(regform->status.text, "正在连接到注册服务器...");
    EXPECT_TRUE(regform->status.visible);
    EXPECT_FALSE(Enabled(*regform, CRegForm::SUBMIT));
    EXPECT_FALSE(Enabled(*regform, CRegForm::RETURN));
    EXPECT_TRUE(clock.IsRunning(CRegForm::TIMER_REGISTER));

    regform->Release();
    loginform->proxy.useproxy = 1;
    loginform->proxy.address = "10.4.4.4";
    loginform->proxy.port = 1080;
    ClickChoice(1);
    Click(*regform, CRegForm::SUBMIT);
    ASSERT_EQ(link.regs.size(), 2u);
    const RegLinkTarget &proxied = link.regs[1];
    EXPECT_EQ(proxied.proxy.kind, ProxyRoute::SOCKS5);
    EXPECT_EQ(proxied.proxy.host, "10.4.4.4");
    EXPECT_EQ(proxied.host, "10.3.3.3");
    EXPECT_EQ(proxied.port, 3891);
    EXPECT_EQ(proxied.request.bytes[RegRequest::kFirstChoice], 0);

    // An error told while the link opens finds the screen waiting already, and frees it for good.
    regform->Release();
    link.onOpen = [] { regform->Release(); };
    Click(*regform, CRegForm::SUBMIT);
    EXPECT_TRUE(Enabled(*regform, CRegForm::SUBMIT));
    EXPECT_FALSE(clock.IsRunning(CRegForm::TIMER_REGISTER));
}

TEST_F(Register, TheTwoChoicesStayOppositeAndTabGoesRoundTheFourEdits)
{
    for (int i : {0, 1, 0, 0}) {
        ClickChoice(i);
        EXPECT_NE(regform->choice[0]->checked, regform->choice[1]->checked);
    }
    EXPECT_TRUE(regform->choice[0]->checked);

    EXPECT_EQ(Focused(), CRegForm::ACCOUNT);
    for (int expected : {CRegForm::PASSWORD, CRegForm::CONFIRM, CRegForm::EMAIL, CRegForm::ACCOUNT}) {
        regform->KeyPress(9);
        EXPECT_EQ(Focused(), expected);
    }
    regform->KeyPress('u');
    EXPECT_EQ(regform->edits[CRegForm::ACCOUNT]->text, "u");
    EXPECT_EQ(regform->edits[CRegForm::PASSWORD]->text, "");

    // Back to the login screen as it was left: its password stays.
    loginform->passwordedit->text = "secret";
    Click(*regform, CRegForm::RETURN);
    EXPECT_EQ(curscreen, SCREEN_LOGIN);
    EXPECT_EQ(loginform->passwordedit->text, "secret");
}

} // namespace
