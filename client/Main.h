#pragma once
#include "client/Datamodule.h"
#include "client/ScreenHooks.h"
#include "platform/FrameWindow.h"
#include "platform/WindowEvents.h"
#include "table/Shell.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CMj;
class THintForm;

// The program's one window. It shows the game screen the game object draws and hands the game
// every press, move, release, key and typed byte; it owns the game object and the game-server
// connection, passes what the connection tells it on to the screens, and shows the notifications
// other parts of the program post to it and the dialogs the screens ask for.
class TMainForm : public WindowEvents, public ScreenHooks, public Shell {
public:
    static constexpr int kMinScreenWidth = 800;

    // args: the command line after the program's name. "NetWork" account password host starts an
    // online game with only the connection's hint window shown; any other first argument names a
    // saved game to load.
    explicit TMainForm(const std::vector<std::string> &args);
    ~TMainForm() override;
    TMainForm(const TMainForm &) = delete;
    TMainForm &operator=(const TMainForm &) = delete;

    // Information boxes with the text, shown from the event loop; each carries its own text.
    void PostShowText(const std::string &text) override;
    void PostRoomNotice(const std::string &text) override;

    FrameWindow &Window() { return window; }
    CMj &Game() { return *mjgame; }
    THintForm *Hint() { return HintForm.get(); }

    // The window's input, handed on to the game object.
    void MouseDown(int x, int y, bool right) override;
    void MouseMove(int x, int y) override;
    void MouseUp(int x, int y) override;
    void KeyDown(int key) override;
    void KeyUp(int key) override;
    void Char(uint8_t byte) override;
    bool TextInput(Rect &box) const override;
    void FirstShow() override;
    void Close() override;
    void Drop(const std::vector<std::string> &paths) override;

    // What the connection tells the window itself; the screens' part is ScreenHooks'.
    void PostLinkNotice(const std::string &text, const std::string &caption, const std::string &url) override;
    void ShowHintText(const std::string &text) override;
    void CloseHint() override;
    void CloseMainWindow() override;
    void ShowMainWindow() override;

    bool EditProxy(ProxyDialog &dialog) override;

    uint8_t networkmode = 0;

private:
    bool linknoticeopen = false; // a notice that comes meanwhile is dropped
    void ShowText(const std::string &text);

    FrameWindow window;
    std::unique_ptr<THintForm> HintForm;
    std::unique_ptr<CMj> mjgame;
    std::unique_ptr<TDataModule1> DataModule1;
};
