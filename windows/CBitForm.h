#pragma once
#include "screen/CachedPicture.h"
#include "windows/CBitButtonArray.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string_view>

class CDxEdit;
class CMj;

// Which in-game screen is on top; 0 leaves the table up, and it takes the input.
enum ScreenId : int8_t {
    SCREEN_NONE = 0,
    SCREEN_SCORE = 1,      // CScoreForm, over the table
    SCREEN_OPTIONS = 2,    // CSetForm
    SCREEN_SLOTS = 6,      // CWelComForm
    SCREEN_NEWGAME = 7,    // CNewGameDlg, over the slots
    SCREEN_NAME = 8,       // CInputNameDlg, over the table
    SCREEN_LOBBY = 10,     // CNetRoom
    SCREEN_MENU = 11,      // CModeForm
    SCREEN_LOGIN = 12,     // CLoginForm
    SCREEN_REGISTER = 13,  // CRegForm
    SCREEN_INVITE = 14,    // CInviteForm, over the table
    SCREEN_HELP = 15,      // CHelpForm
    SCREEN_SERVERS = 18,   // CChooseNetForm
};
// The id of the screen on top, as a byte. Each change is told to every watcher: the main window,
// whose native widgets stand only over the screens that hold them, and the game object, which
// brings each screen up with none of its buttons lit.
class ScreenOnTop {
public:
    ScreenOnTop() = default;
    ScreenOnTop(const ScreenOnTop &) = delete;
    ScreenOnTop &operator=(const ScreenOnTop &) = delete;

    operator int8_t() const { return id_; }
    ScreenOnTop &operator=(int8_t id);
    // One watcher for each who; an empty watcher ends who's.
    void Watch(const void *who, std::function<void(int8_t id)> watcher);

private:
    int8_t id_ = SCREEN_NONE;
    std::map<const void *, std::function<void(int8_t)>> watchers_;
};
extern ScreenOnTop curscreen;

// The three message screens stand over whatever is up, each with a flag of its own: the message
// with OK (CShowMessageForm), a received invitation (CInviteMessage), a notice without buttons
// (CInfoForm). Input goes to the message, then the invitation, then the screen, then the table.
extern uint8_t showmsgon;
extern uint8_t invitemsgon;
extern uint8_t infoformon;

// The base of every in-game screen: a background picture at (x, y) with its buttons, drawn into the
// frame by the renderer. Mouse positions are frame coordinates; the mouse operations return the
// index of the button concerned, or -1.
class CBitForm {
public:
    // keyed: the background's magenta is see-through, for the small screens that stand over others.
    CBitForm(std::string_view background, CMj *owner, bool keyed = false);
    virtual ~CBitForm();
    CBitForm(const CBitForm &) = delete;
    CBitForm &operator=(const CBitForm &) = delete;

    // The background (opaque unless keyed), then the buttons.
    virtual void Draw();
    // Back to the table, repainted.
    virtual void Hide();
    virtual void SetPos(int px, int py);
    virtual void Idle() {}
    // Writes the screen's id into curscreen (or its overlay flag) and repaints.
    virtual void Show() = 0;
    virtual int MouseDown(int px, int py) = 0;
    virtual int MouseMove(int px, int py) = 0;
    virtual int MouseUp(int px, int py) = 0;
    // A right press, which only the lobby answers (its user menu).
    virtual void RightMouseDown(int, int) {}
    // Keys reach the screens that read them: typed bytes for those with edit boxes, key codes for
    // the score screen; every other screen ignores them.
    virtual void KeyPress(uint8_t) {}
    virtual void KeyDown(int) {}
    virtual void KeyUp(int) {}
    // The edit box typed text goes to now; none on a screen without one.
    virtual CDxEdit *FocusedEdit() { return nullptr; }

    CachedPicture background;
    bool keyedbackground;
    int x = 0;
    int y = 0;
    int dragx = 0; // the screen's position when a drag began
    int dragy = 0;
    CBitButtonArray buttons;
    CMj *owner;
    uint8_t dragging = 0; // a press outside the buttons lasts
    int dragstartx = 0;   // where the pointer was when it began
    int dragstarty = 0;

protected:
    // The owner composes the frame again.
    void Repaint();
    // SetPos with the background centred on the frame.
    void Centre();
    // The buttons take the press or the move, and the screen repaints when one of them reports;
    // its index, or -1.
    int ButtonsDown(int px, int py);
    int ButtonsMove(int px, int py);
};
