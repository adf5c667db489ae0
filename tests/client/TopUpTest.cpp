// The gold-coin top-up: what may be typed, what is sent, and when the dialog may close.
#include "client/Buy.h"
#include "client/Main.h"
#include "platform/OpenUrl.h"
#include "tests/client/MainWindowFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <cstring>

namespace {

void ClickLabel(QLabel *label)
{
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(label, &release);
}

class TopUp : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        SetOpenUrlHandler([this](const std::string &url) { opened.push_back(url); });
        OpenAtTitle();
        buy = std::make_unique<TBuyForm>(View(), link);
        buy->show();
    }
    void TearDown() override
    {
        buy.reset();
        SetOpenUrlHandler(nullptr);
        MainWindowTest::TearDown();
    }
    void Submit(const char *card, const char *password)
    {
        buy->Sn->setText(QString::fromLatin1(card));
        buy->PassWord->setText(QString::fromLatin1(password));
        buy->Enter->click();
    }

    StandingLink link;
    std::unique_ptr<TBuyForm> buy;
    std::vector<std::string> opened;
};

TEST_F(TopUp, OnlyDigitsAreTypedAndAShortCardIsRefusedBeforeAnythingIsSent)
{
    QTest::keyClicks(buy->Sn, "12ab");
    EXPECT_EQ(QStringLiteral("12"), buy->Sn->text());
    QTest::keyClicks(buy->Sn, "34567890123");
    EXPECT_EQ(QStringLiteral("123456789012"), buy->Sn->text()) << "twelve digits at most";

    Submit("12345678901", "12345678");
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("卡号为12位数字", boxes[0].text);
    EXPECT_EQ("Warning", boxes[0].title);
    EXPECT_EQ(buy->Sn, buy->focusWidget());
    Submit("123456789012", "1234567");
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ("密码为8位数字", boxes[1].text);
    EXPECT_EQ(buy->PassWord, buy->focusWidget());
    EXPECT_TRUE(link.sent.empty());
}

TEST_F(TopUp, ACardGoesOutOnceAndTheDialogWaitsForItsAnswer)
{
    buy->Sn->setText(QStringLiteral("123456789012"));
    QTest::keyClicks(buy->PassWord, "87654321");
    QTest::keyClick(buy->PassWord, Qt::Key_Return);
    ASSERT_EQ(1u, link.sent.size());
    uint8_t expected[GameMsg::kSize] = {CS_BUY};
    std::memcpy(expected + 3, "12345678901287654321", 20);
    EXPECT_EQ(0, std::memcmp(expected, link.sent[0].Data(), GameMsg::kSize));

    // While it waits it cannot be closed, by its button or by Esc, and its links do nothing.
    EXPECT_FALSE(buy->Enter->isEnabled() || buy->Refresh->isEnabled());
    buy->close();
    QTest::keyClick(buy.get(), Qt::Key_Escape);
    ClickLabel(buy->Label6);
    EXPECT_TRUE(buy->isVisible());
    EXPECT_TRUE(opened.empty());
    buy->Enter->click();
    EXPECT_EQ(1u, link.sent.size());

    buy->Answered(false);
    EXPECT_TRUE(buy->isVisible() && buy->Enter->isEnabled()) << "a refused card may be typed again";
    ClickLabel(buy->Label6);
    ClickLabel(buy->Label5);
    EXPECT_EQ((std::vector<std::string>{"https://lantile.example.org/card", "https://lantile.example.org/portal"}),
              opened);
    buy->Enter->click();
    buy->Answered(true);
    EXPECT_FALSE(buy->isVisible()) << "a top-up that went through closes the dialog";
}

TEST_F(TopUp, ALostConnectionLetsAWaitingDialogClose)
{
    form->BuyForm()->show();
    form->BuyForm()->Sn->setText(QStringLiteral("123456789012"));
    form->BuyForm()->PassWord->setText(QStringLiteral("12345678"));
    form->BuyForm()->Enter->click(); // through the data module, which has no link to send it on
    ASSERT_TRUE(form->BuyForm()->Waiting());
    Game().netgame = 1;
    Game().OnDisconnect();
    EXPECT_FALSE(form->BuyForm()->Waiting());
    form->BuyForm()->close();
    EXPECT_FALSE(form->BuyForm()->isVisible());
}

TEST_F(TopUp, TheAdvertIsTheDataFoldersPageWithoutScrollBars)
{
    EXPECT_TRUE(buy->Banner->source().isLocalFile());
    EXPECT_TRUE(buy->Banner->toPlainText().contains(QStringLiteral("充值"))) << buy->Banner->source().toString().toStdString();
    EXPECT_EQ(Qt::ScrollBarAlwaysOff, buy->Banner->verticalScrollBarPolicy());
    EXPECT_EQ(QSize(360, 60), buy->Banner->size());
}

} // namespace
