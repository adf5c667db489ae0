#include "client/ScreenHooks.h"

#include "table/CMj.h"
#include "windows/CChooseNetForm.h"
#include "windows/CLoginForm.h"
#include "windows/CNetRoom.h"
#include "windows/CRegForm.h"

void ScreenHooks::ClearTables()
{
    game_->lobby->ClearTables();
}

void ScreenHooks::ShowStatus(const std::string &text)
{
    loginform->status.Show(text);
    game_->Paint();
}

void ScreenHooks::HideStatus()
{
    loginform->status.visible = 0;
}

void ScreenHooks::ReleaseLoginScreen()
{
    loginform->Release();
}

void ScreenHooks::ShowServerChoice()
{
    choosenetform->Show();
}

void ScreenHooks::ShowRegStatus(const std::string &text)
{
    regform->status.Show(text);
    game_->Paint();
}

void ScreenHooks::HideRegStatus()
{
    regform->status.visible = 0;
    game_->Paint();
}

void ScreenHooks::ReleaseRegScreen()
{
    regform->Release();
}

void ScreenHooks::ShowLoginScreen()
{
    loginform->Show();
}

void ScreenHooks::Repaint()
{
    game_->Paint();
}
