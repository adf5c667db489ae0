#pragma once
#include "platform/CMjTimer.h"
#include "platform/Profile.h"
#include "windows/CBitForm.h"
#include "windows/CDxLabel.h"
#include "windows/ProxySettings.h"

#include <cstdint>
#include <memory>
#include <string_view>

class CDxEdit;

// Screen 12: account and password, and the start of a connection to the game server, directly or
// through the proxy whose settings this screen owns ("Set.ini" [Proxy], read when it is built and
// written with the game object's settings). An attempt waits kLoginTimeoutMs for the server's answer.
class CLoginForm : public CBitForm {
public:
    static constexpr unsigned TIMER_LOGIN = 200;
    enum Button { ENTER = 0, CLOSE = 1, REGISTER = 2, PROXY = 3 };

    // The account stored in "Network.cfg" is typed in already, and then the password has the focus.
    CLoginForm(std::string_view background, CMj *owner);
    ~CLoginForm() override;
    // The proxy, into the settings the game object writes as it ends.
    void WriteSettings(Profile::Edit &ini) const;

    // The background and buttons, the two edits and the status.
    void Draw() override;
    // Repaints only: the screen stays on top.
    void Hide() override;
    void SetPos(int px, int py) override;
    // With an empty password.
    void Show() override;
    int MouseDown(int px, int py) override;
    int MouseMove(int px, int py) override { return ButtonsMove(px, py); }
    int MouseUp(int px, int py) override;
    // A typed character: Tab moves the focus, Enter logs in, the rest goes to the edits.
    void KeyPress(uint8_t key) override;
    CDxEdit *FocusedEdit() override { return curedit; }
    // The time-out's tick; false for ids that are not the screen's.
    bool OnTimer(unsigned id);
    // The four buttons.
    void SetEnabled(bool enabled);
    // The attempt has ended (an answer, an error): the buttons come back and the time-out stops.
    void Release();
    // The proxy dialog; the settings change on OK only.
    void EditProxy();

    std::unique_ptr<CDxEdit> accountedit;
    std::unique_ptr<CDxEdit> passwordedit;
    CDxEdit *curedit = nullptr; // its caret blinks
    CDxLabel status;
    CMjTimer logintimer;
    ProxySettings proxy;

private:
    enum class Messages { English, Chinese };
    // False when a length is refused (the message is shown); true when a connection was started, or
    // one was already under way.
    bool Login(Messages messages);
    void Focus(CDxEdit *edit);
};

extern CLoginForm *loginform;
