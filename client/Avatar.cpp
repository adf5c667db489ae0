#include "client/Avatar.h"

#include "client/Datamodule.h"
#include "client/FormText.h"
#include "platform/MessageBox.h"
#include "platform/OpenUrl.h"
#include "platform/Paths.h"
#include "screen/GifSurface.h"
#include "table/Addresses.h"
#include "table/CMj.h"
#include "table/ClientRecords.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>
#include <filesystem>

namespace {

constexpr int kPictures = 12;
const char *const kHint = "登录网站更换我的Zentrel秀形象";

std::string TablePicture(int row)
{
    return "Graphic\\" + std::to_string(row + 1) + ".gif";
}

// A control at its corner, as large as its text asks and at least `least`: left unsized, it would
// keep the toolkit's first 100 x 30 until shown, and a grab of the dialog would cut its text.
template <typename Control> Control *Place(Control *control, int x, int y, QSize least = {})
{
    control->setGeometry(QRect(QPoint(x, y), least.expandedTo(control->sizeHint())));
    return control;
}

QLabel *Text(QWidget *parent, const char *gbk, int x, int y)
{
    return Place(new QLabel(ToUi(gbk), parent), x, y);
}

QPushButton *Button(QWidget *parent, const char *gbk, int x)
{
    return Place(new QPushButton(ToUi(gbk), parent), x, 392, QSize(75, 25));
}

} // namespace

QImage DrawGif(std::string_view path)
{
    std::error_code ec;
    const std::string file = std::filesystem::exists(std::string(path), ec) ? std::string(path) : Paths::Resolve(path);
    GifImage gif = LoadGif(file);
    if (!gif)
        return {};
    gdImage *im = gif.get();
    const int transparent = gdImageGetTransparent(im);
    QImage image(gdImageSX(im), gdImageSY(im), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int c = gdImageGetPixel(im, x, y);
            image.setPixel(x, y, c == transparent ? qRgb(255, 255, 255)
                                                  : qRgb(gdImageRed(im, c), gdImageGreen(im, c), gdImageBlue(im, c)));
        }
    return image;
}

TAvatarForm::TAvatarForm(NetLink &l, DataModuleHooks &h, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowTitleHint),
      link(l), hooks(h)
{
    setWindowTitle(ToUi("游戏形象"));
    setFixedSize(348, 427);
    CheckBox1 = Place(new QCheckBox(ToUi("3D视角游戏模式头像显示 (进入游戏时候选择）"), this), 16, 16);
    auto *Label4 = new QLabel(ToUi("小提示：在进入游戏的时候您可以选择3D视角或者非3D视角模式，3D模式下，其他游戏玩家看到的是您"
                                   "的3D角色造型，非3D视角下，将显示您的Zentrel秀"),
                              this);
    Label4->setWordWrap(true);
    // Three lines of the dialog's font may need more than 41 pixels; the labels below start at 100.
    Label4->setGeometry(16, 40, 313, std::max(41, Label4->heightForWidth(313)));
    Text(this, "头像选择", 16, 100);
    ListView1 = new QListWidget(this);
    ListView1->setGeometry(16, 120, 145, 225);
    ListView1->setViewMode(QListView::IconMode);
    ListView1->setIconSize(QSize(32, 32));
    ListView1->setMovement(QListView::Static);
    ListView1->setMouseTracking(true);
    for (int row = 0; row < kPictures; ++row) {
        const QImage icon = DrawGif(TablePicture(row));
        auto *item = new QListWidgetItem(QIcon(QPixmap::fromImage(icon.scaled(32, 32))), QString(), ListView1);
        // Checked by the dialog only: a click makes its row the one choice.
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    ListView1->viewport()->installEventFilter(this);
    Text(this, "人物形象", 192, 100);
    PaintBox1 = new QLabel(this);
    PaintBox1->setGeometry(192, 120, 140, 226);
    PaintBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PaintBox1->installEventFilter(this);
    Label3 = Text(this, "登录网站更换我的Zentrel秀形象（2D模式下显示）", 16, 360);
    MakeLink(Label3, [] { return std::string(kAvatarPageUrl); });
    BitBtn3 = Button(this, "成为会员", 16);
    BitBtn1 = Button(this, "保存", 136);
    BitBtn2 = Button(this, "取消", 256);

    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    connect(ListView1, &QListWidget::currentRowChanged, this, [this] { ListView1SelectItem(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn3, &QPushButton::clicked, this, [] { OpenUrl(kMemberPageUrl); });
    Preview(TablePicture(0));
}

void TAvatarForm::Choose(const AvatarOwner &owner)
{
    FormShow(owner);
    exec();
}

void TAvatarForm::FormShow(const AvatarOwner &owner)
{
    me = owner;
    CheckBox1->setChecked(false);
    ShowOwnPicture();
    CheckOnly(me.face - 1);
}

bool TAvatarForm::Is3D() const
{
    return CheckBox1->isChecked();
}

void TAvatarForm::ShowOwnPicture()
{
    PaintBox1->setCursor(Qt::PointingHandCursor);
    PaintBox1->setToolTip(ToUi(kHint));
    const std::string own = CMj::AvatarPath(me.userid);
    std::error_code ec;
    if (std::filesystem::exists(own, ec))
        Preview(own);
    else
        Preview(me.sex == 1 ? "male.gif" : "female.gif");
}

void TAvatarForm::ShowRow(int row)
{
    if (row >= 0)
        Preview(TablePicture(row));
}

void TAvatarForm::Preview(std::string_view path)
{
    QImage image = DrawGif(path);
    if (image.isNull())
        return;
    // A table picture is a small face: it is shown as large as the box holds, as a show picture is.
    preview = image.scaled(PaintBox1->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    PaintBox1->setPixmap(QPixmap::fromImage(preview));
}

void TAvatarForm::CheckBox1Click()
{
    if (!Is3D()) {
        ShowOwnPicture();
        return;
    }
    PaintBox1->unsetCursor();
    PaintBox1->setToolTip(QString());
    ShowRow(FirstChecked());
}

void TAvatarForm::CheckOnly(int row)
{
    for (int i = 0; i < ListView1->count(); ++i)
        ListView1->item(i)->setCheckState(i == row ? Qt::Checked : Qt::Unchecked);
}

int TAvatarForm::FirstChecked() const
{
    for (int i = 0; i < ListView1->count(); ++i)
        if (ListView1->item(i)->checkState() == Qt::Checked)
            return i;
    return -1;
}

void TAvatarForm::ListView1Click(QListWidgetItem *item)
{
    if (!item) {
        CheckOnly(ListView1->currentRow());
        return;
    }
    ListView1->setCurrentItem(item);
    CheckOnly(ListView1->row(item));
    if (Is3D())
        ShowRow(ListView1->row(item));
}

void TAvatarForm::ListView1SelectItem()
{
    if (Is3D())
        ShowRow(ListView1->currentRow());
}

void TAvatarForm::BitBtn1Click()
{
    if (me.mark == 0) {
        hooks.PostLinkNotice("您不是会员，只有会员才能够保存游戏形象", "点击这里购买会员 ", kMemberPageUrl);
        return;
    }
    const int k = std::max(FirstChecked(), 0);
    const bool fits = (me.sex == 0 && k >= 1 && k <= 5) || (me.sex == 1 && k >= 6 && k <= 11);
    if (!fits) {
        MessageBox::Show("性别不符，无法修改资料！", "Lantile", MessageBox::IconInformation);
        return;
    }
    if (k + 1 == me.face) {
        MessageBox::Show("资料修改成功！", "Lantile", MessageBox::IconInformation);
        return;
    }
    GameMsg record;
    if (BuildSetAvatar(record, k + 1))
        link.SendPacket(record);
}

bool TAvatarForm::eventFilter(QObject *watched, QEvent *event)
{
    const bool release = event->type() == QEvent::MouseButtonRelease;
    if (watched == ListView1->viewport() && release)
        ListView1Click(ListView1->itemAt(static_cast<QMouseEvent *>(event)->position().toPoint()));
    else if (watched == PaintBox1 && event->type() == QEvent::MouseButtonPress && !Is3D())
        OpenUrl(kAvatarPageUrl);
    return QDialog::eventFilter(watched, event);
}
