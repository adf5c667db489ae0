#pragma once
#include "client/Datamodule.h"

class CMj;

// What the connection tells the game's screens: the login screen's status and buttons, the server
// choice, the registration screen's status and buttons, and the repaint. The main window adds its
// own part (the link notice, NetWork mode's waiting window, its close).
class ScreenHooks : public DataModuleHooks {
public:
    explicit ScreenHooks(CMj &game) : game_(&game) {}

    void ClearTables() override;
    void ShowStatus(const std::string &text) override;
    void HideStatus() override;
    void ReleaseLoginScreen() override;
    void ShowServerChoice() override;
    void ShowRegStatus(const std::string &text) override;
    void HideRegStatus() override;
    void ReleaseRegScreen() override;
    void ShowLoginScreen() override;
    void Repaint() override;

protected:
    // For the main window, which makes the game after itself.
    ScreenHooks() = default;
    void SetScreensGame(CMj &game) { game_ = &game; }

private:
    CMj *game_ = nullptr;
};
