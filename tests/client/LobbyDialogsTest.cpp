// The room list, the lobby filters and the About box, as widgets.
#include "client/About.h"
#include "client/Version.h"
#include "client/Netset.h"
#include "client/Roomlist.h"
#include "table/RoomTree.h"
#include "tests/client/MainWindowFixture.h"
#include "windows/CInfoForm.h"
#include "windows/UserSetDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

namespace {

using LobbyDialogs = MainWindowTest;

TEST_F(LobbyDialogs, TheRoomListSendsTheOneCheckedRoomAndKeepsTheDialogWithoutOne)
{
    OpenAtTitle();
    StandingLink link;
    TRoomListForm rooms(View(), link);
    rooms.Fill({RoomRow{"新手房", "0"}, RoomRow{"高手房", "12"}, RoomRow{"比赛房", "31"}});
    EXPECT_EQ(QStringLiteral("31"), rooms.ListView1->topLevelItem(2)->text(1));
    rooms.show();

    rooms.BitBtn1->click();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("请选择一个你要进入的房间", boxes[0].text);
    EXPECT_TRUE(rooms.isVisible() && link.sent.empty());

    rooms.ListView1->topLevelItem(0)->setCheckState(0, Qt::Checked);
    rooms.ListView1->setCurrentItem(rooms.ListView1->topLevelItem(2));
    EXPECT_EQ(Qt::Unchecked, rooms.ListView1->topLevelItem(0)->checkState(0)) << "one choice at a time";
    EXPECT_EQ(Qt::Checked, rooms.ListView1->topLevelItem(2)->checkState(0));
    rooms.BitBtn1->click();
    ASSERT_EQ(1u, link.sent.size());
    EXPECT_EQ(CS_ENTER_ROOM, link.sent[0].Type());
    EXPECT_EQ(2, link.sent[0].Get(1));
    EXPECT_TRUE(infoformon && infoform->text == "正在获取房间信息,请稍后...");
    EXPECT_FALSE(rooms.isVisible());
    infoformon = 0;
}

TEST(TNetSetForm, EachBoxIsUsableWithItsCheckBoxAndTakesOnlyWhatItsFilterReads)
{
    TNetSetForm form;
    UserSetDialog d;
    d.iprule = true;
    d.ipitem = 1;
    d.limit1 = true;
    d.limit1text = "500";
    form.Load(d);
    EXPECT_TRUE(form.ComboBox1->isEnabled());
    EXPECT_EQ(QStringLiteral("三"), form.ComboBox1->currentText());
    EXPECT_FALSE(form.Edit1->isEnabled() || form.Edit3->isEnabled());
    EXPECT_TRUE(form.Edit2->isEnabled());

    form.CheckBox2->click();
    form.CheckBox5->click();
    EXPECT_FALSE(form.ComboBox1->isEnabled());
    EXPECT_TRUE(form.Edit3->isEnabled());
    QTest::keyClicks(form.Edit3, "-12ab34");
    EXPECT_EQ(QStringLiteral("-1234"), form.Edit3->text());
    form.Edit2->clear();
    QTest::keyClicks(form.Edit2, "-7x0");
    EXPECT_EQ(QStringLiteral("70"), form.Edit2->text()) << "a score difference has no sign";

    const UserSetDialog back = form.Controls();
    EXPECT_FALSE(back.iprule);
    EXPECT_TRUE(back.limit2 && back.limit1 && back.invite && !back.escape);
    EXPECT_EQ("-1234", back.limit2text);
    EXPECT_EQ("70", back.limit1text);
}

// Each line reads "caption [box] rest": the caption ends before its box and the rest starts after it.
TEST(TNetSetForm, EachBoxStandsBetweenTheWordsOfItsLine)
{
    TNetSetForm form;
    const struct {
        QCheckBox *caption;
        QWidget *field;
        QString rest;
    } lines[] = {{form.CheckBox2, form.ComboBox1, QStringLiteral("位相同的玩家游戏")},
                 {form.CheckBox3, form.Edit1, QStringLiteral("的玩家游戏")},
                 {form.CheckBox4, form.Edit2, QStringLiteral("的玩家游戏")},
                 {form.CheckBox5, form.Edit3, QStringLiteral("的玩家游戏")}};
    for (const auto &line : lines) {
        const QString name = line.caption->text();
        EXPECT_LE(line.caption->x() + line.caption->sizeHint().width(), line.field->x()) << name.toStdString();
        EXPECT_LE(line.caption->sizeHint().width(), line.caption->width()) << name.toStdString() << " is cut";
        bool rest = false;
        for (const QLabel *label : line.field->parentWidget()->findChildren<QLabel *>())
            rest = rest || (label->text() == line.rest && std::abs(label->y() - line.field->y()) < 8 &&
                            label->x() >= line.field->geometry().right());
        EXPECT_TRUE(rest) << name.toStdString();
    }
}

TEST_F(LobbyDialogs, F1ShowsTheAboutBoxAndTheGameNeverSeesTheKey)
{
    CMj &m = OpenAtTitle();
    RecordingScreen &screen = ScreenOnTop();
    (void)m;
    bool shown = false;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        shown = modal == form->AboutForm();
        if (auto *about = dynamic_cast<TAboutForm *>(modal))
            about->OKButton->click();
    });
    QTest::keyClick(View(), Qt::Key_F1);
    EXPECT_TRUE(shown);
    EXPECT_EQ(QStringLiteral("About"), form->AboutForm()->windowTitle());
    const QLabel *picture = form->AboutForm()->findChild<QLabel *>();
    ASSERT_NE(nullptr, picture);
    EXPECT_EQ(QSize(32, 32), picture->pixmap().size()) << "the picture comes from the data folder";
    bool version = false;
    for (const QLabel *label : form->AboutForm()->findChildren<QLabel *>())
        version = version || label->text() == QStringLiteral("Lantile v") + QString::fromLatin1(kLantileVersion);
    EXPECT_TRUE(version) << "the version an update is measured against";
    EXPECT_TRUE(screen.ups.empty() && screen.typed.empty());
}

} // namespace
