#pragma once
#include "platform/CMjTimer.h"
#include "windows/CBitCheckBox.h"
#include "windows/CBitForm.h"
#include "windows/CDxLabel.h"

#include <cstdint>
#include <memory>
#include <string_view>

class CDxEdit;

// Screen 13: a new account (name, password twice, e-mail address and one of two choices) checked and
// sent to the registration server, directly or through the login screen's proxy. The screen waits
// at most 30 seconds for the answer.
class CRegForm : public CBitForm {
public:
    static constexpr unsigned TIMER_REGISTER = 201;
    static constexpr unsigned kTimeoutMs = 30000;
    enum Button { SUBMIT = 0, RETURN = 1 };
    enum Edit { ACCOUNT = 0, PASSWORD = 1, CONFIRM = 2, EMAIL = 3, EDITS = 4 };

    CRegForm(std::string_view background, CMj *owner);
    ~CRegForm() override;

    // The background and buttons, the edits, the status, the two choices.
    void Draw() override;
    // Repaints only.
    void Hide() override;
    void SetPos(int px, int py) override;
    // The texts typed before stay.
    void Show() override;
    // A press in an edit gives it the focus; a click on a choice turns the other one the opposite way.
    int MouseDown(int px, int py) override;
    int MouseMove(int px, int py) override { return ButtonsMove(px, py); }
    int MouseUp(int px, int py) override;
    // Tab moves the focus through the four edits in turn; the rest goes to the edits.
    void KeyPress(uint8_t key) override;
    CDxEdit *FocusedEdit() override { return curedit; }
    // The time-out; false for ids that are not the screen's.
    bool OnTimer(unsigned id);
    void EnableButtons(bool enabled);
    // The registration has ended (an answer, an error): the buttons come back, the time-out stops.
    void Release();

    std::unique_ptr<CDxEdit> edits[EDITS];
    CDxEdit *curedit = nullptr; // its caret blinks
    std::unique_ptr<CBitCheckBox> choice[2];
    CDxLabel status;
    CMjTimer regtimer;

private:
    void Submit();
    // The message, and the focus to the edit it is about.
    void Refuse(const char *message, Edit edit);
    void Focus(int edit);
};

extern CRegForm *regform;
