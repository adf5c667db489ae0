// Plays a seeded local game through a script and writes the frames it asks for as PNG files, each
// with one line of the table's state, and a montage of them all.
//
//   tableshot --seed S --script FILE --out DIR
//
// Script lines (# starts a comment):
//   banner                       the logo fading in, as when the window first shows
//   newgame                      a new local game
//   until local-turn|claim|hand-end|dice|deal|flight|idle|landed|win
//                                runs the game to that moment (landed: the local player's next discard
//                                lies in its pyramid; win: a hand is won, drawn hands are replayed);
//                                seat 0 plays itself on the way
//   press title|slots|confirm|name|options|score|help N
//                                clicks the middle of that screen's button N
//   advance MS                   moves the game clock on
//   move X Y | click X Y | rclick X Y
//   key Esc|Enter|Tab|Space
//   type TEXT
//   show title|servers           the title menu, as the program shows it after the logo, or the
//                                choice of game server, the way into online play
//   online                       online play begins, with the lobby up and no server behind the
//                                connection
//   record TYPE FIELDS           the game server's record, written as a session script's send line
//   shot NAME.png
//   dialog filters|avatar|invite|download|about|box NAME.png
//                                the lobby's filters, the avatar choice (its 3D view), the list of
//                                users to invite, the update's progress with its longest line, the
//                                About box, or a box asking yes or no, as the program shows it over
//                                the frame
//   montage NAME.png             the shots since the last montage, as one picture; the tool fails
//                                when it cannot read it back whole, or a shot in it is blank
#include "client/About.h"
#include "client/Avatar.h"
#include "client/Datamodule.h"
#include "client/Down.h"
#include "client/InviteList.h"
#include "client/Netset.h"
#include "client/UserTableModel.h"
#include "platform/SurfacePng.h"
#include "platform/SurfaceText.h"
#include "platform/ToolkitTranslation.h"
#include "screen/Device.h"
#include "table/CMj.h"
#include "tests/kit/FakeScreen.h"
#include "tests/kit/ScriptRecord.h"
#include "tests/kit/StandingLink.h"
#include "tests/kit/TableDriver.h"
#include "tests/kit/TableSession.h"
#include "windows/CChooseNetForm.h"
#include "windows/CHelpForm.h"
#include "windows/CInputNameDlg.h"
#include "windows/CModeForm.h"
#include "windows/CNetRoom.h"
#include "windows/CNewGameDlg.h"
#include "windows/CScoreForm.h"
#include "windows/CSetForm.h"
#include "windows/CWelComForm.h"
#include "windows/UserSetDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Shot {
    std::string name;
    Surface frame;
};

const std::map<std::string, TableDriver::Moment> kMoments = {
    {"local-turn", TableDriver::Moment::LocalTurn}, {"claim", TableDriver::Moment::Claim},
    {"hand-end", TableDriver::Moment::HandEnd},     {"dice", TableDriver::Moment::Dice},
    {"deal", TableDriver::Moment::Deal},            {"flight", TableDriver::Moment::Flight},
    {"idle", TableDriver::Moment::Idle},
};

const std::set<std::string> kDialogs = {"filters", "avatar", "invite", "download", "about", "box"};

const std::map<std::string, int> kKeys = {
    {"Esc", TableDriver::KeyEsc}, {"Enter", TableDriver::KeyEnter}, {"Tab", TableDriver::KeyTab},
    {"Space", TableDriver::KeySpace},
};

CBitForm *ScreenNamed(const std::string &name)
{
    const std::map<std::string, CBitForm *> screens = {
        {"title", modeform}, {"slots", welcomform}, {"confirm", newgamedlg}, {"name", inputnamedlg},
        {"options", setform}, {"score", scoreform}, {"help", helpform},
    };
    auto found = screens.find(name);
    return found == screens.end() ? nullptr : found->second;
}

// Hands played to their end until one is won; the score screen's replay starts each next one.
bool PlayToAWin(TableDriver &driver)
{
    for (;;) {
        if (!driver.RunUntil(TableDriver::Moment::HandEnd))
            return false;
        if (scoreform->winner >= 0)
            return true;
        driver.Press(*scoreform, CScoreForm::REPLAY);
    }
}

constexpr int kW = 400, kH = 300, kLabel = 20, kColumns = 3;

// The montage as written holds every shot, none of them blank: read back, each shot's place shows
// more than a few colours.
bool MontageIsWhole(const std::string &path, size_t shots)
{
    constexpr int kFewestColours = 16;
    const QImage montage(QString::fromStdString(path));
    if (montage.isNull())
        return false;
    for (size_t i = 0; i < shots; ++i) {
        const int left = static_cast<int>(i % kColumns) * kW, top = static_cast<int>(i / kColumns) * (kH + kLabel);
        if (left + kW > montage.width() || top + kH > montage.height())
            return false;
        std::set<QRgb> colours;
        for (int y = top; y < top + kH && colours.size() < kFewestColours; y += 3)
            for (int x = left; x < left + kW; x += 3)
                colours.insert(montage.pixel(x, y));
        if (colours.size() < kFewestColours)
            return false;
    }
    return true;
}

// The shots at half size, three to a row, each named below.
bool WriteMontage(const std::vector<Shot> &shots, const std::string &path)
{
    const int rows = (static_cast<int>(shots.size()) + kColumns - 1) / kColumns;
    Surface montage(kW * kColumns, (kH + kLabel) * rows);
    montage.Fill(montage.Bounds(), 0);
    for (size_t i = 0; i < shots.size(); ++i) {
        const int x = static_cast<int>(i % kColumns) * kW;
        const int y = static_cast<int>(i / kColumns) * (kH + kLabel);
        montage.StretchBlit({x, y, x + kW, y + kH}, shots[i].frame, shots[i].frame.Bounds(), false);
        DrawSurfaceText(montage, shots[i].name, {x, y + kH, x + kW, y + kH + kLabel}, TextCentre | TextVCentre, TextStyle{});
    }
    return SaveSurfacePng(montage, path) && MontageIsWhole(path, shots.size());
}

// The dialog as it shows over the frame, centred on it; one of a size of its own keeps it.
Surface DialogOverFrame(QWidget &dialog, bool fit = true)
{
    if (fit)
        dialog.adjustSize();
    const QImage picture = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
    Surface frame = *lpDDSBack;
    const int left = (frame.Width() - picture.width()) / 2;
    const int top = (frame.Height() - picture.height()) / 2;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (left + x >= 0 && left + x < frame.Width() && top + y >= 0 && top + y < frame.Height()) {
                const QRgb pixel = picture.pixel(x, y);
                frame.SetPixel(left + x, top + y, frame.PackColor(qRed(pixel), qGreen(pixel), qBlue(pixel)));
            }
    return frame;
}

// The lobby's filters as the lobby fills the dialog.
Surface FiltersDialog(const CMj &mj)
{
    TNetSetForm dialog;
    dialog.Load(UserSetDialog::For(mj.lobby->filters));
    return DialogOverFrame(dialog);
}

// The avatar choice in its 3D view, with the first of the table pictures checked.
Surface AvatarDialog(NetLink &link)
{
    DataModuleHooks hooks;
    TAvatarForm dialog(link, hooks);
    dialog.FormShow({0, 0, 1, 1});
    dialog.CheckBox1->click();
    return DialogOverFrame(dialog);
}

// The room's users who sit at no table, as the invitation screen lists them.
Surface InviteDialog(CMj &mj)
{
    UserTableModel users(mj.userlist, [] { return std::string("tester"); });
    TInviteList list(users);
    return DialogOverFrame(list, false);
}

Surface DownloadDialog()
{
    TDownForm form;
    form.Label1->setText(QStringLiteral("已经下载2686976字节(共8000000字节)"));
    form.ProgressBar1->setValue(33);
    return DialogOverFrame(form, false);
}

Surface AboutDialog()
{
    TAboutForm about;
    return DialogOverFrame(about, false);
}

Surface QuestionBox()
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Info"), QStringLiteral("该桌已满员"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    return DialogOverFrame(box);
}

Surface Dialog(const std::string &what, CMj &mj, NetLink &link)
{
    if (what == "filters")
        return FiltersDialog(mj);
    if (what == "avatar")
        return AvatarDialog(link);
    if (what == "invite")
        return InviteDialog(mj);
    if (what == "download")
        return DownloadDialog();
    if (what == "about")
        return AboutDialog();
    return QuestionBox();
}

int Fail(int line, const std::string &text)
{
    std::fprintf(stderr, "tableshot: line %d: %s\n", line, text.c_str());
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    unsigned seed = 1;
    std::string script, out;
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc)
            seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        else if (std::strcmp(argv[i], "--script") == 0 && i + 1 < argc)
            script = argv[++i];
        else if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc)
            out = argv[++i];
        else
            script.clear(), i = argc;
    }
    if (script.empty() || out.empty()) {
        std::fprintf(stderr, "usage: %s --seed S --script FILE --out DIR\n", argv[0]);
        return 2;
    }
    std::ifstream lines(script);
    if (!lines) {
        std::fprintf(stderr, "tableshot: cannot read %s\n", script.c_str());
        return 2;
    }
    std::filesystem::create_directories(out);

    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    QApplication app(argc, argv); // the frames' text needs the toolkit's fonts
    InstallToolkitTranslation();
    FakeScreen screen;
    screen.keep = 1;
    std::vector<Shot> shots;
    size_t grouped = 0; // the shots a montage line has already gathered
    int rc = 0;
    {
        StandingLink server; // no server behind it: the script's records play the server
        TableSession session(seed, &screen);
        CMj &mj = session.Game();
        TableDriver &driver = session.Driver();
        int number = 0;
        for (std::string text; std::getline(lines, text) && rc == 0;) {
            ++number;
            std::istringstream words(text);
            std::string command;
            if (!(words >> command) || command[0] == '#')
                continue;
            std::string arg, what;
            int x = 0, y = 0;
            if (command == "banner") {
                mj.OnShow();
            } else if (command == "newgame") {
                driver.NewGame();
            } else if (command == "press" && words >> arg >> x) {
                CBitForm *screen = ScreenNamed(arg);
                if (!screen || !screen->buttons.Get(x)) {
                    rc = Fail(number, "no such button: " + text);
                    break;
                }
                driver.Press(*screen, x);
            } else if (command == "until" && words >> arg) {
                bool reached;
                if (arg == "win") {
                    reached = PlayToAWin(driver);
                } else if (arg == "landed") {
                    const int before = mj.player[0].outnum;
                    reached = driver.RunUntil([before](const CMj &game) { return game.player[0].outnum > before; });
                } else if (kMoments.count(arg)) {
                    reached = driver.RunUntil(kMoments.at(arg));
                } else {
                    rc = Fail(number, "no such moment: " + arg);
                    break;
                }
                if (!reached)
                    rc = Fail(number, "the game never came to " + arg);
            } else if (command == "advance" && words >> x) {
                driver.Advance(static_cast<unsigned>(x));
            } else if ((command == "move" || command == "click" || command == "rclick") && words >> x >> y) {
                if (command == "move")
                    driver.Move(x, y);
                else if (command == "click")
                    driver.Click(x, y);
                else
                    driver.RightClick(x, y);
            } else if (command == "key" && words >> arg && kKeys.count(arg)) {
                driver.Key(kKeys.at(arg));
            } else if (command == "type") {
                std::getline(words >> std::ws, arg);
                driver.Type(arg);
            } else if (command == "show" && words >> arg && (arg == "title" || arg == "servers")) {
                if (arg == "title")
                    modeform->Show();
                else
                    choosenetform->Show();
            } else if (command == "online") {
                mj.netlink = &server;
                mj.NetStart();
            } else if (command == "record") {
                std::getline(words >> std::ws, arg);
                std::string error;
                const GameMsg record = ScriptRecord(arg, &error);
                if (!error.empty()) {
                    rc = Fail(number, error);
                    break;
                }
                mj.OnGameMsg(record);
            } else if (command == "shot" && words >> arg) {
                if (!driver.Shot((std::filesystem::path(out) / arg).string())) {
                    rc = Fail(number, "cannot write " + arg);
                    break;
                }
                shots.push_back({arg, *lpDDSBack});
                std::printf("%s: %s\n", arg.c_str(), driver.StateLine().c_str());
            } else if (command == "dialog" && words >> what >> arg && kDialogs.count(what)) {
                Surface frame = Dialog(what, mj, server);
                if (!SaveSurfacePng(frame, (std::filesystem::path(out) / arg).string())) {
                    rc = Fail(number, "cannot write " + arg);
                    break;
                }
                shots.push_back({arg, std::move(frame)});
                std::printf("%s: the %s dialog\n", arg.c_str(), what.c_str());
            } else if (command == "montage" && words >> arg) {
                const std::vector<Shot> group(shots.begin() + static_cast<std::ptrdiff_t>(grouped), shots.end());
                if (group.empty() || !WriteMontage(group, (std::filesystem::path(out) / arg).string())) {
                    rc = Fail(number, "no shots for " + arg + ", or one of them blank or unwritten");
                    break;
                }
                grouped = shots.size();
                std::printf("montage: %s\n", (std::filesystem::path(out) / arg).c_str());
            } else {
                rc = Fail(number, "cannot read: " + text);
            }
        }
    }
    if (rc == 0 && !shots.empty()) {
        const std::string montage = (std::filesystem::path(out) / "montage.png").string();
        if (!WriteMontage(shots, montage))
            return Fail(0, "cannot write " + montage);
        std::printf("montage: %s\n", montage.c_str());
    }
    return rc;
}
