#pragma once
#include <functional>
#include <string>

// Modal message boxes owned by the main window. Text and title are GBK.
namespace MessageBox {

enum Icon { IconNone, IconInformation, IconWarning, IconError, IconQuestion };
enum Buttons { Ok, OkCancel, YesNo };
enum Result { ResultNone = 0, ResultOk = 1, ResultCancel = 2, ResultYes = 6, ResultNo = 7 };

struct Box {
    std::string text;
    std::string title;
    Icon icon;
    Buttons buttons;
    Result defaultButton; // the button Enter presses; ResultNone: the first
};

// Shows the box and returns the button pressed.
int Show(const std::string &text, const std::string &title, Icon icon = IconNone, Buttons buttons = Ok,
         Result defaultButton = ResultNone);

// Replaces how boxes are shown (tests record them and answer); an empty handler restores the dialog.
void SetHandler(std::function<int(const Box &)> handler);

// No box and no other modal window (a dialog of the player's) is open: one may open now without
// running inside another's loop.
bool NoneOpen();
// The one way to wait for NoneOpen: the call is told once, at once when none is open, else as soon as
// the last box or modal window has closed, outside its loop. It should post what it opens to the
// event loop, and look at NoneOpen again there.
void WhenNoneOpen(std::function<void()> call);

} // namespace MessageBox
