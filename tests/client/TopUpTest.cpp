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
#include <tuple>
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

    StandingLink link;
    std::unique_ptr<TBuyForm> buy;
    std::vector<std::string> opened;
};

TEST_F(TopUp, OnlyTwelveDigitsAndEightAreSentOnceAndTheDialogWaitsForTheAnswer)
{
    EXPECT_TRUE(buy->Banner->toPlainText().contains(QStringLiteral("充值"))) << "the data folder's advert";
    QTest::keyClicks(buy->Sn, "12ab34567890123");
    EXPECT_EQ(QStringLiteral("123456789012"), buy->Sn->text()) << "digits only, twelve at most";
    // {card, password, warning, focus}
    const std::tuple<const char *, const char *, const char *, QWidget *> refused[] = {
        {"12345678901", "12345678", "卡号为12位数字", buy->Sn}, {"123456789012", "1234567", "密码为8位数字", buy->PassWord}};
    for (const auto &[card, password, warning, focus] : refused) {
        buy->Sn->setText(QString::fromLatin1(card));
        buy->PassWord->setText(QString::fromLatin1(password));
        buy->Enter->click();
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(warning, boxes.back().text);
        EXPECT_EQ(focus, buy->focusWidget());
    }
    EXPECT_TRUE(link.sent.empty());

    buy->Sn->setText(QStringLiteral("123456789012"));
    buy->PassWord->clear();
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
    TBuyForm &waiting = *form->BuyForm();
    waiting.show();
    waiting.Sn->setText(QStringLiteral("123456789012"));
    waiting.PassWord->setText(QStringLiteral("12345678"));
    waiting.Enter->click(); // through the data module, which has no link to send it on
    ASSERT_TRUE(waiting.Waiting());
    Game().netgame = 1;
    Game().OnDisconnect();
    waiting.close();
    EXPECT_FALSE(waiting.isVisible());
}

} // namespace
