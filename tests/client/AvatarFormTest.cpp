// The avatar dialog over the generated pictures: what a save sends or refuses, and what the preview
// shows in either view.
#include "client/Avatar.h"
#include "client/Datamodule.h"
#include "platform/MessageBox.h"
#include "platform/OpenUrl.h"
#include "table/Addresses.h"
#include "table/GameMsg.h"
#include "tests/kit/StandingLink.h"
#include "tests/support/ScratchFolder.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

struct NoticeHooks : DataModuleHooks {
    void PostLinkNotice(const std::string &text, const std::string &caption, const std::string &url) override
    {
        notices.push_back(text + "|" + caption + "|" + url);
    }
    std::vector<std::string> notices;
};

class AvatarForm : public testing::Test {
protected:
    void SetUp() override
    {
        const fs::path data = std::getenv("LANTILE_DATA");
        for (const char *name : {"Graphic", "male.gif", "female.gif"})
            fs::create_symlink(data / name, folder.Path() / name);
        fs::create_directory(folder.Path() / "Avatar");
        MessageBox::SetHandler([this](const MessageBox::Box &box) {
            boxes.push_back(box.title + "|" + box.text);
            return MessageBox::ResultOk;
        });
        SetOpenUrlHandler([this](const std::string &url) { opened.push_back(url); });
        form = std::make_unique<TAvatarForm>(link, hooks);
        form->show();
    }
    void TearDown() override
    {
        form.reset();
        MessageBox::SetHandler(nullptr);
        SetOpenUrlHandler(nullptr);
    }
    void ClickRow(int row)
    {
        QListWidget *list = form->ListView1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }

    ScratchFolder folder;
    StandingLink link;
    NoticeHooks hooks;
    std::unique_ptr<TAvatarForm> form;
    std::vector<std::string> boxes;
    std::vector<std::string> opened;
};

TEST_F(AvatarForm, ASaveSendsOnlyAMembersNewPictureOfTheirOwnSex)
{
    form->FormShow({7, 1, 7, 0});
    form->BitBtn1Click();
    EXPECT_EQ(hooks.notices, std::vector<std::string>{"您不是会员，只有会员才能够保存游戏形象|点击这里购买会员 |" +
                                                      std::string(kMemberPageUrl)});

    form->FormShow({7, 0, 1, 1});
    form->BitBtn1Click(); // the first picture is no woman's choice
    form->FormShow({7, 0, 3, 1});
    form->BitBtn1Click(); // the picture already in use
    form->FormShow({7, 1, 7, 1});
    ClickRow(3);
    form->BitBtn1Click(); // a woman's picture for a man
    EXPECT_EQ(boxes, (std::vector<std::string>{"Lantile|性别不符，无法修改资料！", "Lantile|资料修改成功！",
                                               "Lantile|性别不符，无法修改资料！"}));
    EXPECT_TRUE(link.sent.empty());

    ClickRow(7);
    form->BitBtn1Click();
    ASSERT_EQ(link.sent.size(), 1u);
    std::vector<uint8_t> expected(GameMsg::kSize, 0);
    expected[0] = 0x70;
    expected[3] = 1;
    expected[4] = 8;
    EXPECT_EQ(std::vector<uint8_t>(link.sent[0].Data(), link.sent[0].Data() + GameMsg::kSize), expected);
    EXPECT_EQ(hooks.notices.size(), 1u);
}

// A picture as the preview shows it: as large as its box holds, its proportions kept.
QImage Shown(std::string_view path)
{
    return DrawGif(path).scaled(140, 226, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

TEST_F(AvatarForm, ThePreviewShowsTheShowPictureIn2DAndTheTablePictureIn3D)
{
    const QImage male = DrawGif("male.gif");
    ASSERT_FALSE(male.isNull());
    EXPECT_EQ(male.pixel(0, 0), qRgb(255, 255, 255)) << "transparent pixels are white";
    form->FormShow({7, 1, 9, 1});
    ClickRow(5);
    EXPECT_EQ(form->preview, male) << "the 2D view keeps the show picture of the sex";
    form->FormShow({7, 0, 2, 1});
    EXPECT_EQ(form->preview, Shown("female.gif"));
    fs::copy_file(folder.Path() / "Graphic" / "3.gif", folder.Path() / "Avatar" / "7.gif");
    form->FormShow({7, 0, 2, 1});
    EXPECT_EQ(form->preview, Shown("Graphic\\3.gif")) << "the own picture once it has arrived";
    QTest::mouseClick(form->PaintBox1, Qt::LeftButton);
    EXPECT_EQ(opened, std::vector<std::string>{kAvatarPageUrl});

    form->CheckBox1->click(); // the 3D view: the checked table picture, filling the box's width
    EXPECT_EQ(form->preview, Shown("Graphic\\2.gif"));
    EXPECT_EQ(form->preview.width(), 140);
    EXPECT_LE(form->preview.height(), 226);
    ClickRow(4);
    EXPECT_EQ(form->preview, Shown("Graphic\\5.gif"));
    QTest::mouseClick(form->PaintBox1, Qt::LeftButton);
    EXPECT_EQ(opened.size(), 1u) << "the preview is a link in the 2D view only";
}

// Every caption reads whole where the form puts it, before the dialog is first shown too (a show
// would size the widgets the form left unsized): each widget as large as its text asks, at the
// corners the form gives, inside the dialog, and none grown over another.
TEST_F(AvatarForm, EveryCaptionShowsItsWholeText)
{
    TAvatarForm fresh(link, hooks);
    const QRect inside = fresh.rect();
    const QList<QWidget *> controls = fresh.findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < controls.size(); ++i)
        for (qsizetype j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << i << " " << j << ": grown into each other";
    int checked = 0;
    for (QWidget *w : controls) {
        QString text;
        if (auto *label = qobject_cast<QLabel *>(w))
            text = label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            text = button->text();
        if (text.isEmpty())
            continue;
        ++checked;
        const QRect at = w->geometry();
        const QSize want = w->hasHeightForWidth() ? QSize(at.width(), w->heightForWidth(at.width())) : w->sizeHint();
        EXPECT_GE(at.width(), want.width()) << text.toStdString();
        EXPECT_GE(at.height(), want.height()) << text.toStdString();
        if (!w->hasHeightForWidth()) {
            EXPECT_GE(at.width(), w->fontMetrics().horizontalAdvance(text)) << text.toStdString();
        }
        EXPECT_TRUE(inside.contains(at)) << text.toStdString();
    }
    EXPECT_EQ(checked, 8); // the box, three labels, the link and three buttons

    EXPECT_EQ(fresh.Label3->pos(), QPoint(16, 360));
    EXPECT_EQ(fresh.BitBtn3->pos(), QPoint(16, 392));
}

} // namespace
