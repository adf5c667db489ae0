#include "client/Main.h"

#include "client/Hint.h"
#include "client/Lindlg.h"
#include "client/Proxy.h"
#include "platform/Gbk.h"
#include "platform/MessageBox.h"
#include "platform/Paths.h"
#include "screen/Device.h"
#include "table/CMj.h"
#include "table/ClientRecords.h"
#include "windows/CDxEdit.h"
#include "windows/CLoginForm.h"
#include "windows/CModeForm.h"
#include "windows/Screens.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <filesystem>

namespace {

const char *const kTitle = "Lantile";

std::string Arg(const std::vector<std::string> &args, size_t i)
{
    return i < args.size() ? args[i] : std::string();
}

// Command-line text for one of the game's edit boxes: GBK, cut between characters to the box.
std::string EditText(const std::string &utf8)
{
    std::string gbk = Utf8ToGbk(utf8);
    gbk.resize(GbkFit(gbk, CDxEdit::kMaxLength));
    return gbk;
}

} // namespace

TMainForm::TMainForm(const std::vector<std::string> &args)
{
    networkmode = Arg(args, 0) == "NetWork";
    ::networkmode = networkmode; // no loading picture for a window nobody sees
    fullscreen = 0;              // the full-screen setting is kept, but a start is always in a window
    window.SetTitle(kTitle);
    if (Paths::Exists("mycur.cur"))
        window.SetCursorFile(Paths::Resolve("mycur.cur"));
    if (networkmode) {
        HintForm = std::make_unique<THintForm>([this] { CloseMainWindow(); });
        HintForm->show();
    } else {
        ShowMainWindow();
    }
    hMainWnd = &window;

    QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    mjgame = std::make_unique<CMj>();
    QGuiApplication::restoreOverrideCursor();
    SetScreensGame(*mjgame);
    mjgame->shell = this;
    DataModule1 = std::make_unique<TDataModule1>();
    DataModule1->SetGame(mjgame.get());
    DataModule1->SetHooks(this);
    DataModule1->networkmode = networkmode;
    mjgame->netlink = DataModule1.get();
    window.SetEvents(this);

    std::error_code ec;
    for (const char *folder : {"Save", "Avatar"})
        std::filesystem::create_directories(Paths::Resolve(folder), ec);

    // "NetWork" goes this way too, and opens nothing.
    if (!Arg(args, 0).empty())
        mjgame->LoadGame(args[0]);
    if (networkmode) {
        // The account and password stand in the login screen's boxes, as if typed there.
        loginform->accountedit->text = EditText(Arg(args, 1));
        loginform->passwordedit->text = EditText(Arg(args, 2));
        GameLinkTarget target;
        target.host = Arg(args, 3);
        if (servercount > 0)
            target.port = serverlist[serverindex].port;
        target.account = loginform->accountedit->text;
        target.password = loginform->passwordedit->text;
        DataModule1->OpenGameLink(target);
    }
}

TMainForm::~TMainForm()
{
    window.SetEvents(nullptr);
    DataModule1.reset();
    mjgame->netlink = nullptr;
    mjgame->shell = nullptr;
    mjgame.reset(); // writes the settings
    HintForm.reset();
    hMainWnd = nullptr;
}

void TMainForm::PostShowText(const std::string &text)
{
    window.Post([this, text] { ShowText(text); });
}

void TMainForm::PostRoomNotice(const std::string &text)
{
    PostShowText(text);
}

void TMainForm::ShowText(const std::string &text)
{
    MessageBox::Show(text, kTitle, MessageBox::IconInformation);
}

void TMainForm::MouseDown(int x, int y, bool right)
{
    mjgame->OnMouseDown(x, y, right);
}

void TMainForm::MouseMove(int x, int y)
{
    mjgame->OnMouseMove(x, y);
}

void TMainForm::MouseUp(int x, int y)
{
    mjgame->OnMouseUp(x, y);
}

void TMainForm::KeyDown(int key)
{
    mjgame->OnKeyDown(key);
}

void TMainForm::KeyUp(int key)
{
    mjgame->OnKeyUp(key);
    // Tab moves between edit boxes once per press, when it is let go.
    if (key == '\t')
        mjgame->OnKeyPress('\t');
}

void TMainForm::Char(uint8_t byte)
{
    mjgame->OnKeyPress(byte);
}

bool TMainForm::TextInput(Rect &box) const
{
    const CDxEdit *edit = mjgame->FocusedEdit();
    if (!edit || !edit->visible)
        return false;
    box = {edit->x, edit->y, edit->x + edit->picture.Width(), edit->y + edit->picture.Height()};
    return true;
}

void TMainForm::FirstShow()
{
    mjgame->OnShow();
    modeform->Show();
}

void TMainForm::Close()
{
    if (DataModule1->GameLinkActive() && mjgame->IsNetGame()) {
        GameMsg exit;
        if (BuildBare(exit, CS_EXIT))
            DataModule1->SendPacket(exit);
    }
}

void TMainForm::Drop(const std::vector<std::string> &paths)
{
    if (paths.size() >= 2) {
        MessageBox::Show("一次只能打开一个游戏档案。", "错误", MessageBox::IconError);
        return;
    }
    // The name is taken whole, in the file system's bytes; only ".cmj" in small letters is a saved game.
    const std::string path = paths.empty() ? std::string() : paths[0];
    const std::string extension = ".cmj";
    if (path.size() < extension.size() || path.compare(path.size() - extension.size(), extension.size(), extension) != 0) {
        MessageBox::Show("未知的档案类型。", "错误", MessageBox::IconError);
        return;
    }
    mjgame->LoadGame(path);
}

void TMainForm::ShowHintText(const std::string &text)
{
    if (HintForm)
        HintForm->SetText(text);
}

void TMainForm::CloseHint()
{
    if (HintForm)
        HintForm->hide();
}

void TMainForm::PostLinkNotice(const std::string &text, const std::string &caption, const std::string &url)
{
    window.Post([this, text, caption, url] {
        if (linknoticeopen)
            return;
        linknoticeopen = true;
        TLinkDlgForm(window.Widget()).Notice(text, caption, url);
        linknoticeopen = false;
    });
}

bool TMainForm::EditProxy(ProxyDialog &dialog)
{
    return TProxyForm(window.Widget()).Edit(dialog);
}

void TMainForm::ShowMainWindow()
{
    // A screen just the frame's width has no room for a border.
    window.ShowWindowed(window.ScreenWidth() != kFrameWidth);
}

void TMainForm::CloseMainWindow()
{
    // The main window ends the program even while it is hidden behind the hint of a NetWork start.
    window.Post([this] {
        CloseHint();
        window.Widget()->close();
        QCoreApplication::quit();
    });
}
